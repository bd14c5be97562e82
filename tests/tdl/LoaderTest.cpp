#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "support/HeldValues.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "teds/types/BitWriter.hpp"

namespace teds::tdl {
namespace {

using teds::testing::heldEnum;

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("teds_tdl_") + info->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& content) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    fs::path folder_;
};

const char* const kTwoTemplates =
    "// Two templates\n"
    "TEMPLATE 0, 8, 25, \"First\"\n"
    "ENUMERATE Kinds, \"a\", \"b\"\n"
    "%Kind, \"Kind\", ID, 1, Kinds, ,\n"
    "%Value, , CAL, 8, UNINT, ,\n"
    "ENDTEMPLATE\n"
    "\n"
    "TEMPLATE 0, 8, 26, \"Second\"\n"
    "SELECTCASE \"S\", , 1\n"
    "CASE \"c\", 0\n"
    "  %In, , ID, 4, UNINT, ,\n"
    "ENDCASE\n"
    "ENDSELECT\n"
    "ENDTEMPLATE\n"
    "VALIDATION_KEYCODE 1\n";

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string dumpAll(const Registry& registry) {
    std::ostringstream out;
    for (const Template* tmpl : registry.templates()) tmpl->dump(out, "");
    return out.str();
}

TEST_F(LoaderTest, LoadsAFileAndCountsItsTemplates) {
    Registry registry;
    EXPECT_EQ(loadTdlFile(registry, write("two.tdl", kTwoTemplates)).accepted, 2);
    EXPECT_NE(registry.find(0, 25), nullptr);
    EXPECT_NE(registry.find(0, 26), nullptr);
    EXPECT_TRUE(registry.diagnostics().empty());
}

TEST_F(LoaderTest, CrLfAndLfFilesLoadAlike) {
    Registry lf;
    Registry crlf;
    EXPECT_EQ(loadTdlFile(lf, write("lf.tdl", kTwoTemplates)).accepted, 2);
    EXPECT_EQ(loadTdlFile(crlf, write("crlf.tdl", withCrLf(kTwoTemplates))).accepted, 2);
    EXPECT_EQ(dumpAll(lf), dumpAll(crlf));
    EXPECT_TRUE(crlf.diagnostics().empty());
}

#if !defined(_WIN32)
// A FIFO without a writer would block an ordinary open for ever.
TEST_F(LoaderTest, APathThatNamesNoRegularFileGivesZeroAtOnce) {
    const std::string fifo = (folder_ / "pipe.tdl").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, folder_.string()}) {
        Registry registry;
        ::testing::internal::CaptureStderr();
        const FileLoad loaded = loadTdlFile(registry, path);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(loaded.accepted, 0) << path;
        ASSERT_TRUE(loaded.unopened) << path;
        EXPECT_EQ(loaded.unopened->kind, DiagnosticKind::NotRegularFile);
        EXPECT_EQ(loaded.unopened->text(), path + ": not a regular file");
    }
}
#endif

TEST_F(LoaderTest, AMissingFileGivesZeroAndThePerrorLineAsAResult) {
    Registry registry;
    ASSERT_EQ(loadTdlFile(registry, write("two.tdl", kTwoTemplates)).accepted, 2);

    const std::string missing = (folder_ / "missing.tdl").string();
    ::testing::internal::CaptureStderr();
    const FileLoad loaded = loadTdlFile(registry, missing);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(loaded.accepted, 0);
    ASSERT_TRUE(loaded.unopened);
    EXPECT_EQ(loaded.unopened->kind, DiagnosticKind::MissingFile);
    EXPECT_EQ(loaded.unopened->text(), missing + ": " + std::strerror(ENOENT));
    EXPECT_TRUE(registry.diagnostics().empty());

    // The earlier templates are still there and still decode.
    EXPECT_EQ(registry.templates().size(), 2u);
    types::BitWriter image;
    image.writeBits(8, 25);
    image.writeBits(1, 1);
    image.writeBits(7, 0x42);
    types::BitReader stream(image.bytes().data(), 2);
    decode::TemplateRecord record;
    types::DecodeBudget budget;
    EXPECT_TRUE(decode::decodeTemplate(registry, stream, 0, record, budget));
    ASSERT_EQ(record.values.size(), 2u);
    EXPECT_EQ(heldEnum(record.values[0].value).text, "b");
}

TEST_F(LoaderTest, ASyntaxErrorInTheThirdTemplateKeepsTheFirstTwo) {
    const std::string path = write("broken.tdl",
                                   "TEMPLATE 0, 8, 1,\nENDTEMPLATE\n"
                                   "TEMPLATE 0, 8, 2,\nENDTEMPLATE\n"
                                   "TEMPLATE 0, 8, 3,\nSELECTCASE \"S\"\nENDSELECT\nENDTEMPLATE\n"
                                   "VALIDATION_KEYCODE 1\n");
    Registry registry;
    EXPECT_EQ(loadTdlFile(registry, path).accepted, 2);
    EXPECT_NE(registry.find(0, 1), nullptr);
    EXPECT_NE(registry.find(0, 2), nullptr);
    EXPECT_EQ(registry.find(0, 3), nullptr);
    ASSERT_EQ(registry.diagnostics().size(), 1u);
    const std::string reported = registry.diagnostics()[0].text();
    EXPECT_EQ(reported.rfind(path + ":6: syntax error", 0), 0u) << reported;
}

TEST_F(LoaderTest, LoadingTheSameFileTwiceAcceptsNothingTheSecondTime) {
    const std::string path = write("two.tdl", kTwoTemplates);
    Registry registry;
    EXPECT_EQ(loadTdlFile(registry, path).accepted, 2);
    EXPECT_EQ(loadTdlFile(registry, path).accepted, 0);
    const auto refused = DiagnosticKind::RefusedTemplate;
    EXPECT_EQ(registry.diagnostics(), (std::vector<Diagnostic>{{path, 2, refused, "template I25 refused: already loaded", {}},
                                                               {path, 8, refused, "template I26 refused: already loaded", {}}}));
}

TEST_F(LoaderTest, AFileWithNoTemplatesGivesZero) {
    Registry registry;
    EXPECT_EQ(loadTdlFile(registry, write("empty.tdl", "// nothing\nVALIDATION_KEYCODE 12345\n")).accepted, 0);
    EXPECT_EQ(loadTdlFile(registry, write("blank.tdl", "")).accepted, 0);
}

TEST_F(LoaderTest, NulBytesAndLongNamesLoadWhatCameBefore) {
    std::string content = "TEMPLATE 0, 8, 1,\n%" + std::string(1 << 20, 'n') + ", , ID, 8, UNINT, ,\nENDTEMPLATE\n";
    content += std::string("TEMPLATE 0, 8, 2,\n\0\0\0", 21);
    Registry registry;
    EXPECT_EQ(loadTdlFile(registry, write("odd.tdl", content)).accepted, 1);
    EXPECT_EQ(registry.diagnostics().front().text(),
              (folder_ / "odd.tdl").string() + ":5: byte 0x00 begins no token; the rest of the file is not read");
}

}  // namespace
}  // namespace teds::tdl
