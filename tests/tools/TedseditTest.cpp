// tedsedit end to end: tedsdump's JSON back to the very file it came from, a
// recalibration written into a virtual TEDS file, and refusals that leave
// the output as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <fstream>

#include <nlohmann/json.hpp>

#include "teds_container.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using testing::readFile;
using testing::runEditor;
using testing::runTool;
using testing::ScratchFile;

std::string realImagePath(const std::string& file) { return std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + file; }

// tedsdump --json FILE, then tedsedit --from-json into a file of `suffix`.
std::string throughJson(const std::string& path, const std::string& suffix, std::vector<std::string> extra = {},
                        std::vector<std::string> dumpOptions = {}) {
    dumpOptions.insert(dumpOptions.end(), {"--json", path});
    const testing::ToolResult dump = runTool(dumpOptions);
    EXPECT_EQ(dump.status, 0) << dump.err;
    ScratchFile document(dump.out, ".json");
    ScratchFile output("", suffix);
    std::vector<std::string> args = {"--from-json", document.path(), "-o", output.path()};
    args.insert(args.end(), extra.begin(), extra.end());
    const testing::ToolResult edit = runEditor(args);
    EXPECT_EQ(edit.status, 0) << path << ": " << edit.err;
    EXPECT_EQ(edit.err, "") << path;
    return readFile(output.path());
}

class JsonRoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(JsonRoundTripTest, GivesBackTheSameFile) {
    const std::string& path = GetParam();
    EXPECT_EQ(throughJson(path, path.substr(path.rfind('.'))), readFile(path)) << path;
}

INSTANTIATE_TEST_SUITE_P(
    RealAndExampleImages, JsonRoundTripTest,
    ::testing::Values(realImagePath("Accelerometer.ted"), realImagePath("Current.ted"), realImagePath("ForceBridge.ted"),
                      realImagePath("LVDT.ted"), realImagePath("Microphone.ted"), realImagePath("TempTC.ted"),
                      realImagePath("ThermistorIex.ted"), realImagePath("Voltage.ted"), realImagePath("Voltage.hex"),
                      realImagePath("ThermistorIex.hex"), realImagePath("dewetron_ds2431_memory.hex"),
                      testing::examplePath("images/accelerometer.hex"),
                      testing::examplePath("images/bridge.hex"), testing::examplePath("images/thermocouple.bin")));

TEST(JsonRoundTripTest, ScalesInTheDocumentChangeNothing) {
    for (const char* image : {"TempTC.ted", "Voltage.hex", "ForceBridge.ted"}) {
        const std::string path = realImagePath(image);
        EXPECT_EQ(throughJson(path, path.substr(path.rfind('.')), {}, {"--scale", "--cjc", "25"}), readFile(path))
            << image;
    }
}

TEST(JsonRoundTripTest, DumpsKeepTheirErasedPages) {
    // The dump as a 4-page memory reads it: two written pages, two erased.
    std::string dump = readFile(realImagePath("dewetron_ds2431_memory.hex"));
    dump.insert(dump.size() - 1, std::string(128, 'F'));
    const teds::container::ReadResult read = teds::container::readContainer(dump);
    ASSERT_EQ(read.pages, 4u);
    const std::string binary = teds::container::writeContainer(read.image, teds::container::Format::Eeprom, {false, false, 4});
    for (const std::string& content : {dump, binary}) {
        ScratchFile file(content, ".dump");
        EXPECT_EQ(throughJson(file.path(), ".dump"), content);
    }
}

TEST(JsonRoundTripTest, InfinitiesAndErasedSinglesComeBackAsThemselves) {
    // JSON has no infinity and no NaN; null with a text stands for them.
    ScratchFile edited("", ".ted");
    const testing::ToolResult edit = runEditor({realImagePath("LVDT.ted"), "--set", "%MinPhysVal=-inf", "--set",
                                                "%MaxPhysVal=none", "-o", edited.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(throughJson(edited.path(), ".ted"), readFile(edited.path()));
}

TEST(JsonRoundTripTest, ValuesAloneChooseTheSelectCases) {
    // A document written by hand has neither the select cases nor the bits around the templates.
    json document = json::parse(runTool({"--json", testing::examplePath("images/accelerometer.hex")}).out);
    for (const char* key : {"trailingBits", "bitsPastEnd"}) document.erase(key);
    for (json& tmpl : document["templates"])
        for (const char* key : {"selectCases", "descriptorBits"}) tmpl.erase(key);
    ScratchFile input(document.dump(), ".json");
    ScratchFile output("", ".hex");
    const testing::ToolResult edit = runEditor({"--from-json", input.path(), "-o", output.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(readFile(output.path()), readFile(testing::examplePath("images/accelerometer.hex")));
}

TEST(TedseditTest, AnEditThatChangesNothingGivesBackTheSameFile) {
    // A dump printed as upper-case hex text stays one.
    const std::string dump = realImagePath("dewetron_ds2431_memory.hex");
    ScratchFile output("", ".hex");
    const testing::ToolResult edit = runEditor({dump, "--set", "%BridgeType=1", "-o", output.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(readFile(output.path()), readFile(dump));
}

TEST(TedseditTest, RecalibrationWritesSensitivityDateAndInitials) {
    ScratchFile output("", ".ted");
    const testing::ToolResult edit =
        runEditor({realImagePath("Accelerometer.ted"), "--set", "%Sens@Ref=5.1", "--set", "%CalDate=2026-11-30",
                   "--set", "%CalInitials=JRS", "--access", "CAL", "-o", output.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    // 5e-7 * 1.0003^53801 is the grid point nearest to 5.1.
    EXPECT_EQ(edit.err.rfind("tedsedit: %Sens@Ref: 5.1 is written as 5.09990392", 0), 0u) << edit.err;
    EXPECT_EQ(std::count(edit.err.begin(), edit.err.end(), '\n'), 1);
    const json document = json::parse(runTool({"--json", output.path()}).out);
    EXPECT_EQ(document["container"], "ted");
    std::map<std::string, json> values;
    for (const json& p : document["templates"][0]["properties"]) values[p["name"]] = p["value"];
    EXPECT_NEAR(values["%Sens@Ref"].get<double>(), 5.0999039212, 1e-9);
    EXPECT_EQ(values["%CalDate"], "2026-11-30");
    EXPECT_EQ(values["%CalInitials"], "JRS");
    EXPECT_EQ(values["%TF_HP_S"], 0.005);  // untouched
}

TEST(TedseditTest, RefusalsWriteNothingAndNameEveryProblem) {
    // A folder of the test's own, so that a scratch file left behind would show.
    ScratchFile tag("", "");
    const std::filesystem::path folder = tag.path() + ".d";
    std::filesystem::create_directory(folder);
    const std::string output = (folder / "out.ted").string();
    std::ofstream(output) << "old";

    const testing::ToolResult edit =
        runEditor({realImagePath("Accelerometer.ted"), "--set", "%CalInitials=jrs", "--set", "%Nope=1", "--set",
                   "%Sens@Ref=5", "--access", "USR", "-o", output});
    EXPECT_EQ(edit.status, 2);
    EXPECT_EQ(edit.err,
              "tedsedit: %Sens@Ref: changing it needs CAL access, more than USR\n"
              "tedsedit: %CalInitials: changing it needs CAL access, more than USR\n"
              "tedsedit: %Nope: no template of the image has a property of this name\n");
    EXPECT_EQ(readFile(output), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(TedseditTest, UsageErrorsSayWhatIsMissing) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"-o", "x.hex"}, "give either an IMAGE to edit or --from-json FILE to build one from"},
        {{"a.hex", "--from-json", "b.json", "-o", "x.hex"}, "give either an IMAGE"},
        {{"a.hex", "--access", "CAL", "-o", "x.hex"}, "--access limits what --set may change; no --set given"},
        {{"a.hex", "--set", "%X"}, "--set takes NAME=VALUE, not '%X'"},
        {{"a.hex", "--set", "%X=1"}, "-o FILE is needed"},
        {{"a.hex", "--access", "ADMIN"}, "--access takes ID, CAL or USR, not 'ADMIN'"},
    };
    for (const auto& c : cases) {
        const testing::ToolResult run = runEditor(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err.rfind(std::string("tedsedit: ") + c.message, 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace tedsdump
