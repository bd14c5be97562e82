// tedsdump with images in their containers: what it says it read, what it
// refuses, and the files --convert writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using testing::readFile;
using testing::runTool;
using testing::ScratchFile;

std::string realImagePath(const std::string& file) { return std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + file; }

const std::string kDump = realImagePath("dewetron_ds2431_memory.hex");

// The DS2431 dump as binary bytes, with one byte of its second page changed.
std::string damagedDump() {
    std::string dump;
    const std::string text = readFile(kDump);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) dump += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    dump[40] = static_cast<char>(dump[40] ^ 0x01);
    return dump;
}

TEST(ContainerToolTest, TableSaysWhatHeldTheImage) {
    const testing::ToolResult result = runTool({kDump});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Container: eeprom (hex text, 2 pages)\n\nBasic TEDS\n", 0), 0u) << result.out;
}

TEST(ContainerToolTest, ADamagedDumpIsRefusedInOneLineNamingThePage) {
    ScratchFile dump(damagedDump(), ".bin");
    for (const std::vector<std::string>& args : {std::vector<std::string>{dump.path()},
                                                 std::vector<std::string>{"--input-format", "eeprom", dump.path()}}) {
        const testing::ToolResult result = runTool(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("page 2 of 2 (bytes 32 to 63): checksum 0x"), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST(ContainerToolTest, AFormatGivenIsUsedAsGiven) {
    // Taken for hex text, the dump's checksum bytes land in the Basic TEDS.
    const testing::ToolResult result = runTool({"--json", "--input-format", "hex", kDump});
    ASSERT_EQ(result.status, 0) << result.err;
    const json document = json::parse(result.out);
    EXPECT_EQ(document["container"], "hex");
    EXPECT_NE(document["basic"]["manufacturerId"], 31);
}

class ConvertTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ConvertTest, WritesAFileThatDecodesAsTheOriginal) {
    ScratchFile output("old content that is longer than any image written over it", ".out");
    const testing::ToolResult convert = runTool({"--convert", GetParam(), "-o", output.path(), realImagePath("ForceBridge.ted")});
    ASSERT_EQ(convert.status, 0) << convert.err;
    EXPECT_TRUE(convert.out.empty());
    json original = json::parse(runTool({"--json", realImagePath("ForceBridge.hex")}).out);
    json converted = json::parse(runTool({"--json", output.path()}).out);
    EXPECT_EQ(converted["container"], GetParam());
    // The bits after the last template end where the container does: at a
    // byte boundary, a dump's page end or the bit count of a virtual TEDS file.
    const std::string trailing = converted["trailingBits"];
    EXPECT_EQ(trailing.substr(0, 108), std::string(original["trailingBits"]).substr(0, 108));
    for (const char* key : {"container", "hexDigits", "eepromPages", "trailingBits"}) {
        original.erase(key);
        converted.erase(key);
    }
    EXPECT_EQ(converted, original);
}

INSTANTIATE_TEST_SUITE_P(Formats, ConvertTest, ::testing::Values("raw", "hex", "ted", "eeprom", "bits"));

TEST(ContainerToolTest, ConvertKeepsTheSpellingOfHexText) {
    ScratchFile output("", ".hex");
    ASSERT_EQ(runTool({"--convert", "eeprom", "-o", output.path(), kDump}).status, 0);
    EXPECT_EQ(readFile(output.path()), readFile(kDump));
}

TEST(ConvertFailureTest, LeavesTheOldFileAndNoScratchFile) {
    // A folder of the test's own, so that only this test's files are counted.
    ScratchFile tag("", "");
    const std::filesystem::path folder = tag.path() + ".d";
    std::filesystem::create_directory(folder);
    const std::string output = (folder / "out.hex").string();
    std::ofstream(output) << "old";
    ScratchFile damaged(damagedDump(), ".bin");

    EXPECT_EQ(runTool({"--convert", "hex", "-o", output, damaged.path()}).status, 2);
    EXPECT_EQ(readFile(output), "old");
    const testing::ToolResult intoFolder = runTool({"--convert", "hex", "-o", folder.string(), kDump});
    EXPECT_EQ(intoFolder.status, 2);
    EXPECT_NE(intoFolder.err.find("was not written: it is a directory"), std::string::npos) << intoFolder.err;
    EXPECT_EQ(runTool({"--convert", "hex", "-o", (folder / "no-such-folder" / "x.hex").string(), kDump}).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tedsdump
