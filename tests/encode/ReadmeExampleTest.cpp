// The README's C++ example, as written there, on a real virtual TEDS file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "teds/decode/TemplateChain.hpp"
#include "teds/encode/TedsEncoder.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace {

TEST(ReadmeExampleTest, RecalibratesAVirtualTedsFile) {
    std::ifstream in(TEDS_TEST_DATA_DIR "/real-teds/Accelerometer.ted", std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "teds-readme-example";
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);

    // --- as in the README ---
    teds::tdl::Registry registry;
    teds::tdl::loadTdlFile(registry, TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl");
    const teds::container::ReadResult read = teds::container::readContainer(content);  // a .ted file
    teds::decode::DecodedTeds decoded;
    teds::decode::decodeTeds(registry, read.image.bytes.data(), static_cast<std::uint32_t>(read.image.bytes.size()),
                             nullptr, decoded);

    teds::encode::EncodeOptions options;
    options.access = teds::types::Access::Calibration;
    const teds::encode::Encoded edited = teds::encode::editTeds(
        registry, decoded, read.image, {{"%Sens@Ref", "5.1"}, {"%CalDate", "2026-11-30"}, {"%CalInitials", "JRS"}}, options);
    for (const std::string& problem : edited.report.problems) std::cerr << problem << '\n';
    if (edited.ok())
        std::ofstream("sensor.ted", std::ios::binary)
            << teds::container::writeContainer(edited.image, teds::container::Format::Ted);
    // --- end ---

    std::ifstream written("sensor.ted", std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(edited.ok());
    EXPECT_EQ(edited.report.notes.size(), 1u);  // the sensitivity, moved onto its grid
    const teds::container::ReadResult back = teds::container::readContainer(file);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.format, teds::container::Format::Ted);
    EXPECT_EQ(back.image.bitCount, read.image.bitCount);
    EXPECT_NE(back.image.bytes, read.image.bytes);
}

}  // namespace
