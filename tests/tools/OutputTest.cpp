#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "support/ImageBuilder.hpp"
#include "teds_container.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using teds::testing::ImageBuilder;
using testing::linesStartingWith;
using testing::readFile;
using testing::runEditor;
using testing::runTool;
using testing::ScratchFile;

// Values the example sensors never show: control characters and a lone
// surrogate in texts, a date past the calendar, an index without a text, a
// select case, and struct arrays inside struct arrays.
const char* const kOddTemplates = R"(TEMPLATE 0, 8, 30, "Odd Values"
ENUMERATE Pick, "zero", "one"
PHYSICAL_UNIT "m", (0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0)
%Note, "A 7-bit text", ID, 3, STRING7, ,
%Wide, "A 16-bit text", ID, 16, Unicode, ,
%When, "A wide date", ID, 32, DATE, ,
%Pick, "An index beyond the texts", ID, 2, Pick, ,
SELECTCASE "Variant", ID, 1
  CASE "only", 0
    %Len, "Length", ID, 8, UNINT, , "m"
  ENDCASE
ENDSELECT
STRUCTARRAY Outer, "Outer array", ID, 2
  %A, "a", ID, 4, UNINT, ,
  STRUCTARRAY Inner, "", ID, 2
    %B, "b", ID, 4, UNINT, ,
  ENDSTRUCTARRAY
ENDSTRUCTARRAY
ENDTEMPLATE
VALIDATION_KEYCODE 0
)";

ImageBuilder basicTeds() {
    ImageBuilder image;
    image.field(14, 17).field(15, 4507).field(5, 2).field(6, 5).field(24, 30985);
    return image;
}

std::string asHex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        static const char digits[] = "0123456789abcdef";
        text += digits[b >> 4];
        text += digits[b & 15];
        text += ' ';
    }
    return text;
}

std::string oddImageHex() {
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(8, 30);
    image.field(3, 3).field(7, 'O').field(7, 0x1B).field(7, '\n');  // %Note
    image.field(16, 0xD800);                                          // %Wide
    image.field(32, 0xFFFFFFFEu);                                     // %When
    image.field(2, 3);                                                // %Pick
    image.field(1, 0).field(8, 12);                                   // select case, %Len
    image.field(2, 2);                                                // Outer: two elements
    image.field(4, 1).field(2, 1).field(4, 2);                        //   A, Inner: one element, B
    image.field(4, 3).field(2, 0);                                    //   A, Inner: none
    return asHex(image.padToBytes((image.bitCount() + 7) / 8 + 2).bytes());
}

class OddValuesTest : public ::testing::Test {
protected:
    ScratchFile tdl_{kOddTemplates, ".tdl"};
    ScratchFile image_{oddImageHex(), ".hex"};

    testing::ToolResult run(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"--tdl", tdl_.path()};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(image_.path());
        return runTool(args);
    }

    json properties() {
        const testing::ToolResult result = run({"--json"});
        EXPECT_EQ(result.status, 0) << result.err;
        const json document = json::parse(result.out);
        EXPECT_EQ(document["templates"].size(), 1u);
        return document["templates"][0]["properties"];
    }
};

const json& byName(const json& properties, const std::string& name) {
    for (const json& property : properties)
        if (property["name"] == name) return property;
    throw std::runtime_error("no property " + name);
}

TEST_F(OddValuesTest, JsonListsPropertiesInOrderWithoutTheSelectMarker) {
    std::vector<std::string> names;
    for (const json& property : properties()) names.push_back(property["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"%Note", "%Wide", "%When", "%Pick", "%Len", "Outer"}));
}

TEST_F(OddValuesTest, JsonCarriesOddValuesFaithfully) {
    const json props = properties();
    EXPECT_EQ(byName(props, "%Note")["value"], std::string("O\x1B\n"));
    // Not valid UTF-8 in the image's text; the document stays valid.
    EXPECT_EQ(byName(props, "%Wide")["value"], "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_TRUE(byName(props, "%When")["value"].is_null());
    EXPECT_EQ(byName(props, "%When")["days"], 0xFFFFFFFEu);
    EXPECT_EQ(byName(props, "%Pick")["value"], 3);
    EXPECT_EQ(byName(props, "%Pick")["text"], "");
    EXPECT_EQ(byName(props, "%Len")["unit"], "(m)");
    EXPECT_TRUE(byName(props, "%Note")["unit"].is_null());
}

TEST_F(OddValuesTest, JsonNestsArrayElementsAsPropertyLists) {
    const json props = properties();
    const json& outer = byName(props, "Outer");
    EXPECT_EQ(outer["type"], "array");
    EXPECT_EQ(outer["description"], "Outer array");
    ASSERT_EQ(outer["elements"].size(), 2u);
    EXPECT_EQ(byName(outer["elements"][0], "%A")["value"], 1);
    const json& firstInner = byName(outer["elements"][0], "Inner");
    ASSERT_EQ(firstInner["elements"].size(), 1u);
    EXPECT_EQ(byName(firstInner["elements"][0], "%B")["value"], 2);
    EXPECT_EQ(byName(outer["elements"][1], "%A")["value"], 3);
    EXPECT_TRUE(byName(outer["elements"][1], "Inner")["elements"].empty());
}

TEST_F(OddValuesTest, TableEscapesControlCharactersFromTheImage) {
    const testing::ToolResult result = run();
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.find('\x1B'), std::string::npos);
    const auto note = linesStartingWith(result.out, "  %Note");
    ASSERT_EQ(note.size(), 1u);
    EXPECT_NE(note[0].find("\"O\\x1B\\x0A\""), std::string::npos) << note[0];
}

TEST_F(OddValuesTest, TableSaysWhatCannotBeShownPlainly) {
    const std::string out = run().out;
    EXPECT_NE(out.find("4294967294 days after 1998-01-01"), std::string::npos) << out;
    EXPECT_EQ(linesStartingWith(out, "  %Pick").size(), 1u);
    EXPECT_NE(linesStartingWith(out, "  %Pick")[0].find("3 (no text"), std::string::npos);
}

TEST_F(OddValuesTest, TableIndentsArrayElementsUnderTheirArray) {
    std::vector<std::string> rows;
    bool inTemplate = false;
    std::istringstream lines(run().out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Template", 0) == 0) inTemplate = true;
        if (!inTemplate || line.rfind("  ", 0) != 0) continue;
        // Keep each row's indentation and first cell.
        const std::size_t start = line.find_first_not_of(' ');
        rows.push_back(line.substr(0, line.find(' ', start)));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"  Property", "  %Note", "  %Wide", "  %When", "  %Pick", "  %Len",
                                               "  Outer", "    [0]", "      %A", "      Inner", "        [0]",
                                               "          %B", "    [1]", "      %A", "      Inner"}));
}

TEST_F(OddValuesTest, TraceGoesBesideTheJsonDocument) {
    const testing::ToolResult table = run({"--trace"});
    EXPECT_LT(table.out.find("Next Descriptor = 0"), table.out.find("\nBasic TEDS\n"));

    const testing::ToolResult withJson = run({"--trace", "--json", "--dump-templates"});
    EXPECT_TRUE(json::accept(withJson.out)) << withJson.out;
    EXPECT_NE(withJson.err.find("Next Descriptor = 0"), std::string::npos);
    EXPECT_NE(withJson.err.find("template 0-30 (8-bit ID) 'Odd Values'"), std::string::npos);
}

TEST(TemplateDumpTest, WithoutAnImageOnlyDumps) {
    // Standard input holds no image; it must not be read.
    const testing::ToolResult result = runTool({"--dump-templates"}, "not an image");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("template 0-25 (8-bit ID) 'Accelerometer & Force'"), std::string::npos);
    EXPECT_NE(result.out.find("select case //Transducer type"), std::string::npos);
    EXPECT_EQ(result.out.find("Basic TEDS"), std::string::npos);
}

TEST(TruncationTest, TableAndJsonSayHowManyBitsTheTemplateLacks) {
    ScratchFile tdl(kOddTemplates, ".tdl");
    // The Odd Values body takes 64 bits when its texts and array are empty;
    // the image ends after 6 of them.
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(8, 30).field(3, 0).field(3, 0);
    ASSERT_EQ(image.bitCount(), 80u);
    const std::string hex = asHex(image.bytes());

    const testing::ToolResult table = runTool({"--tdl", tdl.path()}, hex);
    EXPECT_NE(table.out.find("\n  Truncated: the image ends 58 bits before this template does"), std::string::npos)
        << table.out;
    const json document = json::parse(runTool({"--json", "--tdl", tdl.path()}, hex).out);
    EXPECT_EQ(document["templates"][0]["truncated"], true);
    EXPECT_EQ(document["templates"][0]["missingBits"], 58);
}

TEST(NoTemplateTest, IsDecodedAndSaidSo) {
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(8, 99).padToBytes(16);
    const std::string hex = asHex(image.bytes());

    const testing::ToolResult table = runTool({}, hex);
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("Serial number    30985"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("No template decoded"), std::string::npos);

    const testing::ToolResult asJson = runTool({"--json", "-"}, hex);
    EXPECT_EQ(asJson.status, 0);
    const json document = json::parse(asJson.out);
    EXPECT_TRUE(document["templates"].empty());
    EXPECT_EQ(document["basic"]["serialNumber"], 30985);
}

TEST(LoadDiagnosticsTest, EachIsOneLineNamingItsFile) {
    ScratchFile tdl(
        "TEMPLATE 0, 8, 31, \"Names\"\n"
        "%X, \"x\", ID, 4, UNINT, , \"furlong\"\n"
        "%Y, \"y\", ID, 2, Nowhere, ,\n"
        "ENDTEMPLATE\n"
        "TEMPLATE 0, 8, 32, \"Broken\"\n"
        "%Z, \"z\", ID, 4, UNINT\n"
        "ENDTEMPLATE\n"
        "VALIDATION_KEYCODE 0\n",
        ".tdl");
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(8, 31).field(4, 5).field(2, 1).padToBytes(12);

    const testing::ToolResult result = runTool({"--tdl", tdl.path()}, asHex(image.bytes()));
    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = linesStartingWith(result.err, tdl.path() + ":");
    ASSERT_EQ(lines.size(), 3u) << result.err;
    EXPECT_NE(result.err.find("unknown unit 'furlong'"), std::string::npos);
    EXPECT_NE(result.err.find("unknown enum 'Nowhere'"), std::string::npos);
    EXPECT_NE(result.err.find(tdl.path() + ":6:"), std::string::npos) << "the syntax error names its line";
    // The sound template still decodes.
    EXPECT_NE(result.out.find("%X"), std::string::npos);
}

// Fields of up to 64 bits: a number, an index and a day count beyond 32 bits.
const char* const kWideTemplates = R"(TEMPLATE 0, 8, 31, "Wide Values"
ENUMERATE Pick, "zero", "one"
%Serial, "A 64-bit number", ID, 64, UNINT, ,
%Pick, "A 40-bit index", ID, 40, Pick, ,
%When, "A 40-bit date", ID, 40, DATE, ,
ENDTEMPLATE
VALIDATION_KEYCODE 0
)";

class WideValuesTest : public ::testing::TestWithParam<std::uint64_t> {
protected:
    ScratchFile tdl_{kWideTemplates, ".tdl"};

    static std::string imageHex(std::uint64_t serial) {
        ImageBuilder image = basicTeds();
        image.field(2, 0).field(8, 31).field(64, serial).field(40, 0x100000001).field(40, 0x8000000005);
        return asHex(image.padToBytes((image.bitCount() + 7) / 8).bytes());
    }
    static std::vector<std::uint8_t> imageIn(const std::string& path) {
        return teds::container::readContainer(readFile(path)).image.bytes;
    }
    std::string jsonOf(const std::string& path) {
        const testing::ToolResult dump = runTool({"--json", "--tdl", tdl_.path(), path});
        EXPECT_EQ(dump.status, 0) << dump.err;
        return dump.out;
    }
    static json propertiesIn(const std::string& document) {
        return json::parse(document)["templates"][0]["properties"];
    }
};

TEST_P(WideValuesTest, AreShownWholeAndComeBackThroughJsonBitForBit) {
    const std::uint64_t serial = GetParam();
    ScratchFile image(imageHex(serial), ".hex");
    const auto row = linesStartingWith(runTool({"--tdl", tdl_.path(), image.path()}).out, "  %Serial");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_NE(row[0].find(" " + std::to_string(serial) + " "), std::string::npos) << row[0];

    const std::string dump = jsonOf(image.path());
    const json props = propertiesIn(dump);
    EXPECT_EQ(byName(props, "%Serial")["value"].get<std::uint64_t>(), serial);
    EXPECT_EQ(byName(props, "%Pick")["value"].get<std::uint64_t>(), 0x100000001u);
    EXPECT_EQ(byName(props, "%When")["days"].get<std::uint64_t>(), 0x8000000005u);

    ScratchFile document(dump, ".json");
    ScratchFile written("", ".hex");
    const testing::ToolResult edit =
        runEditor({"--tdl", tdl_.path(), "--from-json", document.path(), "-o", written.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(imageIn(written.path()), imageIn(image.path()));
}

INSTANTIATE_TEST_SUITE_P(BeyondThirtyTwoBits, WideValuesTest,
                         ::testing::Values(0x10000003039u /* 2^40 + 12345 */, 0xFFFFFFFFFFFFFFFEu /* 2^64 - 2 */));

TEST_F(WideValuesTest, SetTakesTheWholeNumberUpToOneBelowAllOnes) {
    ScratchFile image(imageHex(0), ".hex");
    ScratchFile written("", ".hex");
    const testing::ToolResult set =
        runEditor({"--tdl", tdl_.path(), image.path(), "--set", "%Serial=18446744073709551614", "-o", written.path()});
    ASSERT_EQ(set.status, 0) << set.err;
    const json props = propertiesIn(jsonOf(written.path()));
    EXPECT_EQ(byName(props, "%Serial")["value"].get<std::uint64_t>(), 0xFFFFFFFFFFFFFFFEu);

    const testing::ToolResult allOnes =
        runEditor({"--tdl", tdl_.path(), image.path(), "--set", "%Serial=18446744073709551615", "-o", written.path()});
    EXPECT_EQ(allOnes.status, 2);
    EXPECT_NE(allOnes.err.find("largest 18446744073709551614"), std::string::npos) << allOnes.err;
}

struct FailureCase {
    const char* what;
    std::vector<std::string> args;
    std::string standardInput;
    const char* errorPart;
};

class FailureExitTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureExitTest, ExitsWithTwoAndOneLine) {
    const testing::ToolResult result = runTool(GetParam().args, GetParam().standardInput);
    EXPECT_EQ(result.status, 2) << GetParam().what;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(GetParam().errorPart), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureExitTest,
    ::testing::Values(
        FailureCase{"unknown option", {"--colour"}, "", "unknown option '--colour'"},
        FailureCase{"missing image", {"/nonexistent/teds.hex"}, "", "'/nonexistent/teds.hex' cannot be opened"},
        FailureCase{"missing template file", {"--tdl", "/nonexistent/t.tdl", "-"}, "",
                    "template file '/nonexistent/t.tdl' cannot be opened"},
        FailureCase{"prose on standard input", {}, "Dear sensor,\nplease decode.\n", "standard input is neither"},
        FailureCase{"empty standard input", {"-"}, "", "standard input is empty"}));

TEST(HelpTest, GoesToStandardOutput) {
    const testing::ToolResult result = runTool({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("Usage: tedsdump", 0), 0u);
    EXPECT_TRUE(result.err.empty());
}

}  // namespace
}  // namespace tedsdump
