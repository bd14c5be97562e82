// Every real image and every example image, decoded with the standard
// templates, encodes back to the same bits, and what is written decodes to
// the same values.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueText.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds/encode/StatedTeds.hpp"
#include "teds/encode/ReadBack.hpp"
#include "teds/encode/TedsEncoder.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "teds_container.hpp"

namespace teds::encode {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

decode::DecodedTeds decodeImage(const tdl::Registry& registry, const container::Image& image) {
    decode::DecodedTeds decoded;
    decode::decodeTeds(registry, image.bytes.data(), static_cast<std::uint32_t>(image.bytes.size()), nullptr, decoded);
    return decoded;
}

class RealImageEncodeTest : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() {
        registry_ = new tdl::Registry;
        ASSERT_GT(tdl::loadTdlFile(*registry_, TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    }
    static void TearDownTestSuite() { delete registry_; }
    static tdl::Registry* registry_;
};
tdl::Registry* RealImageEncodeTest::registry_ = nullptr;

TEST_P(RealImageEncodeTest, EncodesBackBitForBitAndDecodesToTheSameValues) {
    const container::ReadResult read = container::readContainer(readFile(GetParam()));
    ASSERT_TRUE(read.ok()) << read.error;
    const decode::DecodedTeds decoded = decodeImage(*registry_, read.image);
    ASSERT_FALSE(decoded.templates.empty());

    const Encoded encoded = encodeTeds(*registry_, decoded, read.image);
    ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
    EXPECT_TRUE(encoded.report.notes.empty());
    EXPECT_EQ(encoded.image.bitCount, read.image.bitCount);
    EXPECT_EQ(encoded.image.bytes, read.image.bytes);

    const decode::DecodedTeds again = decodeImage(*registry_, encoded.image);
    ASSERT_EQ(again.templates.size(), decoded.templates.size());
    for (std::size_t i = 0; i < again.templates.size(); ++i)
        EXPECT_TRUE(sameRecords(again.templates[i].values, decoded.templates[i].values)) << "template " << i;
}

// An image whose last template runs past its end, wherever it ends (inside
// a number, a text, between fields), keeps its length, whether its values
// are given exactly or as the texts a person reads; a value written where
// the image has no bits is refused rather than lost.
class CutImageEncodeTest : public RealImageEncodeTest {};

// `teds`'s values as texts, as tedsdump's JSON gives them to tedsedit.
StatedTeds statedAsText(const decode::DecodedTeds& teds, const container::Image& image) {
    StatedTeds stated = statedFromDecoded(teds, layoutOf(teds, image));
    for (StatedTemplate& t : stated.templates)
        for (StatedValue& value : t.values)
            if (!value.name.empty() && value.exact->kind() != types::ValueKind::StructArray) {
                value.text = decode::writtenValueText(*value.exact);
                value.exact.reset();
            }
    return stated;
}

TEST_F(CutImageEncodeTest, KeepsItsLengthAndRefusesValuesBeyondIt) {
    const container::ReadResult read = container::readContainer(readFile(TEDS_TEST_DATA_DIR "/real-teds/Accelerometer.ted"));
    ASSERT_TRUE(read.ok()) << read.error;
    for (std::uint32_t bits = 96; bits < read.image.bitCount; ++bits) {
        container::Image cut = read.image;
        cut.bitCount = bits;
        cut.bytes.resize((bits + 7) / 8);
        if (bits % 8 != 0) cut.bytes.back() &= static_cast<std::uint8_t>((1u << (bits % 8)) - 1u);
        const decode::DecodedTeds decoded = decodeImage(*registry_, cut);
        ASSERT_EQ(decoded.templates.size(), 1u);

        const Encoded same = encodeTeds(*registry_, decoded, cut);
        ASSERT_TRUE(same.ok()) << bits << ": " << same.report.problems.front();
        EXPECT_EQ(same.image.bitCount, bits);
        EXPECT_EQ(same.image.bytes, cut.bytes) << bits;

        const Encoded fromText = encodeStated(*registry_, statedAsText(decoded, cut), {});
        ASSERT_TRUE(fromText.ok()) << bits << ": " << fromText.report.problems.front();
        EXPECT_EQ(fromText.image.bytes, cut.bytes) << bits;

        if (bits != 150 && bits != 152) continue;
        const Encoded edited = editTeds(*registry_, decoded, cut, {{"%MeasID", "5"}});
        ASSERT_EQ(edited.report.problems.size(), 1u) << bits;
        EXPECT_EQ(edited.report.problems[0].rfind("the image ends", 0), 0u) << edited.report.problems[0];
    }
}

std::string realImage(const char* name) { return std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + name; }
std::string exampleImage(const char* name) { return std::string(TEDS_EXAMPLES_DIR) + "/images/" + name; }

INSTANTIATE_TEST_SUITE_P(
    RealAndExampleImages, RealImageEncodeTest,
    ::testing::Values(realImage("Accelerometer.ted"), realImage("Accelerometer.hex"), realImage("Current.ted"),
                      realImage("Current.hex"), realImage("ForceBridge.ted"), realImage("ForceBridge.hex"),
                      realImage("LVDT.ted"), realImage("LVDT.hex"), realImage("Microphone.ted"),
                      realImage("Microphone.hex"), realImage("TempTC.ted"), realImage("TempTC.hex"),
                      realImage("ThermistorIex.ted"), realImage("ThermistorIex.hex"), realImage("Voltage.ted"),
                      realImage("Voltage.hex"), realImage("dewetron_ds2431_memory.hex"),
                      exampleImage("accelerometer.hex"), exampleImage("bridge.hex"),
                      exampleImage("thermocouple.bin")));

}  // namespace
}  // namespace teds::encode
