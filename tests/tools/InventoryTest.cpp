// tedsdump over many images: a folder of real sensors in every container
// beside broken files, each a row with its named problems, the exit status
// saying whether any had one; the sensors a rig expects; CSV both ways.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include <nlohmann/json.hpp>

#include "Csv.hpp"
#include "Expectations.hpp"
#include "Inventory.hpp"
#include "support/RealImages.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

namespace fs = std::filesystem;
using teds::container::Format;
using testing::runTool;

const char* const kRealFiles[] = {"Accelerometer.hex", "Current.hex",       "ForceBridge.hex",
                                  "LVDT.hex",          "Microphone.hex",    "TempTC.hex",
                                  "ThermistorIex.hex", "Voltage.hex",       "dewetron_ds2431_memory.hex"};
const Format kContainers[] = {Format::Raw, Format::Hex, Format::Ted, Format::Eeprom, Format::Bits};

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// good/: every real sensor in every container; bad/: one file of each kind
// of damage. Removed with the object.
class SensorFolder {
public:
    SensorFolder() {
        const testing::ScratchFile tag("");
        root_ = tag.path() + ".d";
        fs::create_directories(root_ / "good");
        fs::create_directories(root_ / "bad");
        for (const char* file : kRealFiles)
            for (const Format format : kContainers)
                writeFile(root_ / "good" / (fs::path(file).stem().string() + "." + std::string(formatName(format))),
                          writeContainer(teds::testing::realImage(file), format));
        writeFile(root_ / "good" / ".hidden", "not looked at");

        std::string damaged = writeContainer(teds::testing::realImage("ForceBridge.hex"), Format::Eeprom);
        damaged[40] = static_cast<char>(damaged[40] ^ 0x10);
        writeFile(root_ / "bad" / "damaged.eeprom", damaged);
        teds::container::Image truncated = teds::testing::realImage("Accelerometer.hex");
        truncated.bytes.resize(14);
        truncated.bitCount = 14 * 8;
        writeFile(root_ / "bad" / "truncated.hex", writeContainer(truncated, Format::Hex));
        teds::container::Image unknown = teds::testing::realImage("Voltage.hex");
        // Selector 0 in bits 64 and 65, then the ID of IEEE template 99 in the next 8.
        unknown.bytes[8] = static_cast<std::uint8_t>((99 << 2) & 0xFF);
        unknown.bytes[9] = static_cast<std::uint8_t>((unknown.bytes[9] & 0xFC) | (99 >> 6));
        writeFile(root_ / "bad" / "unknown.raw", writeContainer(unknown, Format::Raw));
        writeFile(root_ / "bad" / "notes.txt", "Sensor on channel 3 replaced.\n");
    }
    ~SensorFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string path(const std::string& relative = "") const { return (root_ / relative).string(); }

private:
    fs::path root_;
};

// Each row's file and the names of its problems, from CSV output.
std::map<std::string, std::set<std::string>> problemsByFile(const std::string& csv) {
    const CsvText text = parseCsv(csv);
    EXPECT_TRUE(text.ok()) << text.error;
    std::map<std::string, std::set<std::string>> rows;
    for (std::size_t r = 1; r < text.records.size(); ++r) {
        const std::vector<std::string>& fields = text.records[r].fields;
        EXPECT_EQ(fields.size(), 13u) << fields[0];
        std::set<std::string>& names = rows[fs::path(fields[0]).filename().string()];
        std::istringstream words(fields[11]);
        for (std::string name; words >> name;) names.insert(name);
        // Each problem named has its details, a line each.
        EXPECT_EQ(names.size(), fields[12].empty() ? 0 : std::count(fields[12].begin(), fields[12].end(), '\n') + 1);
    }
    return rows;
}

TEST(InventoryTest, EveryRealSensorInEveryContainerHasNoProblem) {
    const SensorFolder folder;
    const testing::ToolResult result = runTool({"--csv", folder.path("good")});
    EXPECT_EQ(result.status, kExitDecoded) << result.out << result.err;
    const auto rows = problemsByFile(result.out);
    EXPECT_EQ(rows.size(), std::size(kRealFiles) * std::size(kContainers));
    for (const auto& [file, problems] : rows) EXPECT_TRUE(problems.empty()) << file;
}

TEST(InventoryTest, EachBrokenFileIsARowWithItsProblem) {
    const SensorFolder folder;
    const testing::ToolResult result =
        runTool({"--csv", "--recursive", folder.path(), folder.path("bad/missing.hex")});
    EXPECT_EQ(result.status, kExitProblems) << result.err;
    const auto rows = problemsByFile(result.out);
    EXPECT_EQ(rows.size(), std::size(kRealFiles) * std::size(kContainers) + 5);
    const std::map<std::string, std::set<std::string>> broken{
        {"damaged.eeprom", {"damaged-container"}}, {"truncated.hex", {"truncated"}},
        {"unknown.raw", {"unsupported-template"}}, {"notes.txt", {"no-image"}},
        {"missing.hex", {"unreadable"}}};
    for (const auto& [file, problems] : broken) EXPECT_EQ(rows.at(file), problems) << file;
}

TEST(InventoryTest, AFolderIsListedOnlyToItsOwnFilesWithoutRecursive) {
    const SensorFolder folder;
    const testing::ToolResult result = runTool({"--csv", folder.path()});
    EXPECT_EQ(result.status, kExitDecoded);
    EXPECT_EQ(problemsByFile(result.out).size(), 0u);
}

TEST(InventoryTest, RowsComeInFileOrderWhateverTheThreads) {
    const SensorFolder folder;
    const std::vector<ImageFile> files = imageFiles({folder.path()}, true);
    ASSERT_GT(files.size(), 40u);
    teds::api::Templates templates;
    templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl");
    std::istringstream noInput;
    const auto rowsOn = [&](unsigned threads) {
        std::vector<std::string> rows;
        InventorySettings settings;
        settings.threads = threads;
        settings.documents = true;
        takeInventory(files, templates, settings, noInput, [&](InventoryRow&& row) { rows.push_back(row.document); });
        return rows;
    };
    const std::vector<std::string> alone = rowsOn(1);
    ASSERT_EQ(alone.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_NE(alone[i].find(nlohmann::json(files[i].path).dump()), std::string::npos) << i;
    EXPECT_EQ(rowsOn(7), alone);
}

TEST(InventoryTest, ExpectedSensorsAreCheckedByFileAndByChannel) {
    const SensorFolder folder;
    const testing::ScratchFile expect(
        "channel,file,manufacturer,model,serial number,notes\r\n"
        ",good/Voltage.hex,17,1,12345,as fitted\r\n"
        "Current,,17,2,,\r\n"      // Current.* is model 1
        "\"Spare\",,,,,\"in the cupboard, not fitted\"\r\n",
        ".csv");
    const testing::ToolResult result = runTool({"--csv", "--expect", expect.path(), folder.path("good")});
    EXPECT_EQ(result.status, kExitProblems) << result.err;
    const auto rows = problemsByFile(result.out);
    EXPECT_TRUE(rows.at("Voltage.hex").empty());
    for (const char* current : {"Current.raw", "Current.hex", "Current.ted", "Current.eeprom", "Current.bits"})
        EXPECT_EQ(rows.at(current), std::set<std::string>{"mismatch"}) << current;
    EXPECT_EQ(rows.at("Spare"), std::set<std::string>{"missing"});
    EXPECT_NE(result.out.find("model number 1, expected 2"), std::string::npos);

    // A list written by --csv is a list of what to expect.
    const testing::ScratchFile baseline(runTool({"--csv", folder.path("good")}).out, ".csv");
    EXPECT_EQ(runTool({"--expect", baseline.path(), folder.path("good")}).status, kExitDecoded);
}

TEST(InventoryTest, AListOfExpectationsThatCannotBeReadIsRefused) {
    struct Case {
        const char* csv;
        const char* error;
    };
    for (const Case& c : {Case{"manufacturer,serial\n17,1\n", "neither a 'file' nor a 'channel' column"},
                          Case{"file,serial\na.hex,12a\n", "line 2: '12a' is not a whole number"},
                          Case{"channel,serial\nch1,1\nch1,2\n", "line 3: the channel 'ch1' is expected twice"},
                          Case{"file\n\"a.hex\n", "line 2: a quoted field is not closed"}}) {
        Expectations expectations;
        EXPECT_NE(expectations.read(c.csv).find(c.error), std::string::npos) << c.csv;
    }
}

TEST(InventoryTest, CsvFieldsReadBackAsWritten) {
    const std::vector<std::string> fields{"plain", "", "a,b", "say \"hi\"", "two\r\nlines", " spaced "};
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : ",") + csvField(field);
    const CsvText text = parseCsv("\xEF\xBB\xBF" + line + "\r\n\r\nnext\n");
    ASSERT_TRUE(text.ok()) << text.error;
    ASSERT_EQ(text.records.size(), 2u);
    EXPECT_EQ(text.records[0].fields, fields);
    EXPECT_EQ(text.records[1].line, 4u);
}

TEST(InventoryTest, CheckingOneImageNamesItsProblemsAndSetsTheExitStatus) {
    const SensorFolder folder;
    const testing::ToolResult truncated = runTool({"--check", folder.path("bad/truncated.hex")});
    EXPECT_EQ(truncated.status, kExitProblems);
    EXPECT_EQ(testing::linesStartingWith(truncated.out, "  truncated: the image ends").size(), 1u) << truncated.out;

    const testing::ToolResult good = runTool({"--json", "--check", folder.path("good/TempTC.ted")});
    EXPECT_EQ(good.status, kExitDecoded) << good.err;
    EXPECT_EQ(nlohmann::json::parse(good.out)["problems"], nlohmann::json::array());

    const testing::ToolResult noList =
        runTool({"--jsonl", "--today", "2100-01-01", "--expect", "/nonexistent.csv", folder.path("good")});
    EXPECT_EQ(noList.status, kExitFailure);
    EXPECT_NE(noList.err.find("--expect '/nonexistent.csv' cannot be opened"), std::string::npos) << noList.err;
}

TEST(InventoryTest, OptionsForOneImageAreRefusedInAList) {
    const SensorFolder folder;
    for (const char* option : {"--json", "--trace", "--dump-templates", "--scale"}) {
        const testing::ToolResult result = runTool({option, folder.path("good")});
        EXPECT_EQ(result.status, kExitFailure) << option;
        EXPECT_NE(result.err.find("a list of images does not take"), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace tedsdump
