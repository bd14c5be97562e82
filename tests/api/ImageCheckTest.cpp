// Checks of decoded images: real sensors have no problem, and each way an
// image can go wrong is named, with the template it is in.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RealImages.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

using teds::testing::realImage;

Templates standardTemplates() {
    Templates templates;
    EXPECT_GT(templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    return templates;
}

std::vector<ProblemKind> kindsOf(const std::vector<ImageProblem>& problems) {
    std::vector<ProblemKind> kinds;
    for (const ImageProblem& problem : problems) kinds.push_back(problem.kind);
    return kinds;
}

// `image` with `width` bits from `bit` on set to `value`, least significant first.
container::Image withBits(container::Image image, std::uint32_t bit, std::uint32_t width, std::uint32_t value) {
    for (std::uint32_t i = 0; i < width; ++i, ++bit) {
        const auto mask = static_cast<std::uint8_t>(1u << (bit % 8));
        if ((value >> i) & 1u)
            image.bytes[bit / 8] |= mask;
        else
            image.bytes[bit / 8] &= static_cast<std::uint8_t>(~mask);
    }
    return image;
}

container::Image cut(container::Image image, std::size_t bytes) {
    image.bytes.resize(bytes);
    image.bitCount = bytes * 8;
    return image;
}

TEST(ImageCheckTest, RealSensorsHaveNoProblem) {
    const Templates templates = standardTemplates();
    for (const char* file : {"Accelerometer.hex", "Current.ted", "ForceBridge.hex", "LVDT.ted", "Microphone.hex",
                             "TempTC.ted", "ThermistorIex.hex", "Voltage.ted", "dewetron_ds2431_memory.hex"}) {
        const Teds teds(templates, realImage(file));
        EXPECT_TRUE(teds.problems(CheckOptions{.today = *dayNumber("2026-12-10")}).empty()) << file;
    }
}

struct ChainCase {
    const char* name;
    container::Image image;
    std::vector<ProblemKind> kinds;
    std::optional<std::int32_t> manufacturerKey;  // of the last problem
    std::optional<std::uint32_t> templateId;
};

TEST(ImageCheckTest, WhereTheChainStopsShortIsNamed) {
    const Templates templates = standardTemplates();
    const container::Image voltage = realImage("Voltage.hex");  // template 30 after the 64-bit Basic TEDS
    container::Image zerosAfterBasic = cut(voltage, 8);
    zerosAfterBasic.bytes.resize(32, 0);
    zerosAfterBasic.bitCount = 256;
    using K = ProblemKind;
    const std::vector<ChainCase> cases{
        {"cut inside its template", cut(realImage("Accelerometer.hex"), 14), {K::Truncated}, 0, 25},
        // Its last fields read as zeros, which template 33 has no case for.
        {"cut before a select", cut(realImage("ForceBridge.hex"), 12), {K::Truncated, K::TemplateLeftOut}, 0, 33},
        {"an IEEE template not loaded", withBits(voltage, 66, 8, 99), {K::UnsupportedTemplate}, 0, 99},
        {"the manufacturer's own template", withBits(voltage, 64, 2, 1), {K::UnsupportedTemplate}, 17, std::nullopt},
        {"another manufacturer's template", withBits(withBits(voltage, 64, 2, 2), 66, 14, 100),
         {K::UnsupportedTemplate}, 100, std::nullopt},
        {"unwritten memory after the Basic TEDS", zerosAfterBasic, {}, std::nullopt, std::nullopt},
    };
    for (const ChainCase& c : cases) {
        const std::vector<ImageProblem> problems = Teds(templates, c.image).problems();
        EXPECT_EQ(kindsOf(problems), c.kinds) << c.name;
        if (problems.empty()) continue;
        EXPECT_EQ(problems.back().manufacturerKey, c.manufacturerKey) << c.name;
        EXPECT_EQ(problems.back().templateId, c.templateId) << c.name;
    }
}

TEST(ImageCheckTest, CalibrationFallsDueAfterItsPeriod) {
    const Templates templates = standardTemplates();
    Teds forceBridge(templates, realImage("ForceBridge.hex"));  // calibrated 2009-05-01, no period
    EXPECT_EQ(forceBridge.calibration().date, static_cast<std::uint64_t>(*dayNumber("2009-05-01")));
    EXPECT_FALSE(forceBridge.calibration().due);

    forceBridge.set("%CalPeriod", "365");
    const Encoded encoded = forceBridge.encode({.access = Access::Calibration});
    ASSERT_TRUE(encoded.ok()) << encoded.report.problems.front();
    const Teds recalibrated(templates, encoded.image);
    const Calibration calibration = recalibrated.calibration();
    EXPECT_EQ(calibration.periodDays, 365u);
    EXPECT_EQ(calibration.due, static_cast<std::uint64_t>(*dayNumber("2010-05-01")));

    EXPECT_TRUE(recalibrated.problems({.today = *dayNumber("2010-05-01")}).empty()) << "due that day, not before";
    const std::vector<ImageProblem> late = recalibrated.problems({.today = *dayNumber("2010-05-02")});
    ASSERT_EQ(kindsOf(late), std::vector<ProblemKind>{ProblemKind::CalibrationDue});
    EXPECT_NE(late[0].text.find("2010-05-01"), std::string::npos) << late[0].text;
    EXPECT_TRUE(recalibrated.problems().empty()) << "no day, no calibration check";
}

TEST(ImageCheckTest, MismatchesNameEachFieldNotAsExpected) {
    const BasicTeds found{.manufacturerId = 17, .modelNumber = 1, .serialNumber = 12345};
    EXPECT_TRUE(mismatches(found, {.manufacturerId = 17, .serialNumber = 12345}).empty());
    const std::vector<ImageProblem> wrong = mismatches(found, {.manufacturerId = 30, .modelNumber = 1, .serialNumber = 7});
    ASSERT_EQ(wrong.size(), 2u);
    EXPECT_EQ(wrong[0].text, "manufacturer ID 17, expected 30");
    EXPECT_EQ(wrong[1].text, "serial number 12345, expected 7");
}

TEST(ImageCheckTest, AOnePageDumpIsToldFromAnImageByDecoding) {
    const Templates templates = standardTemplates();
    const container::Image accelerometer = realImage("Accelerometer.hex");
    const std::string dump = container::writeContainer(accelerometer, container::Format::Eeprom);
    ASSERT_EQ(dump.size(), 32u);
    EXPECT_EQ(readImage(dump).container, container::Format::Raw) << "the content alone does not tell";
    const ImageRead read = readImage(dump, templates);
    EXPECT_EQ(read.container, container::Format::Eeprom);
    std::vector<std::uint8_t> padded = accelerometer.bytes;  // the page's 31 bytes
    padded.resize(31, 0);
    EXPECT_EQ(read.image.bytes, padded);
    // Named, the container is taken as named.
    EXPECT_EQ(readImage(dump, templates, container::Format::Raw).container, container::Format::Raw);
}

TEST(ImageCheckTest, TheDocumentCarriesFileAndProblemsOnOneLineAndReadsBack) {
    const Templates templates = standardTemplates();
    const Teds teds(templates, cut(realImage("Accelerometer.hex"), 14));
    const std::vector<ImageProblem> problems = teds.problems();
    const std::string file = "rig/ch1.hex";
    const std::string line = teds.document({"raw"}, DocumentOptions{.oneLine = true, .file = &file, .problems = &problems});
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(line.rfind("{\"file\":\"rig/ch1.hex\",", 0), 0u) << line;
    EXPECT_NE(line.find(R"("problems":[{"problem":"truncated","text":)"), std::string::npos) << line;
    EXPECT_TRUE(readDocument(line).ok());
}

}  // namespace
}  // namespace teds::api
