// tedsedit --from-json reads the document strictly: a document that is not
// of the form tedsdump --json writes gets one line saying where and what,
// exit status 2 and no output; and what tedsdump writes, at the limits of
// templates too, is read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "support/ImageBuilder.hpp"
#include "teds/tdl/ParseContext.hpp"
#include "teds_api.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using teds::testing::ImageBuilder;
using testing::readFile;
using testing::runEditor;
using testing::runTool;
using testing::ScratchFile;

// The longest run of bits a document may state: that of the largest image.
constexpr std::size_t kMaxDocumentBits = teds::container::kMaxImageBytes * 8;

const json& exampleDocument() {
    static const json document = json::parse(runTool({"--json", testing::examplePath("images/accelerometer.hex")}).out);
    return document;
}

// The example's document with the value at `pointer` replaced by `raw`, JSON text as it stands.
std::string withText(const std::string& pointer, const std::string& raw) {
    json document = exampleDocument();
    document[json::json_pointer(pointer)] = "@@";
    std::string text = document.dump();
    return text.replace(text.find("\"@@\""), 4, raw);
}

std::string with(const std::string& pointer, const json& value) { return withText(pointer, value.dump()); }

std::string without(const std::string& pointer) {
    json document = exampleDocument();
    const json::json_pointer at(pointer);
    document[at.parent_pointer()].erase(at.back());
    return document.dump();
}

std::string bracketsAround(const std::string& inside, int levels) {
    return std::string(static_cast<std::size_t>(levels), '[') + inside + std::string(static_cast<std::size_t>(levels), ']');
}

ImageBuilder basicTeds() {
    ImageBuilder image;
    image.field(14, 17).field(15, 4507).field(5, 2).field(6, 5).field(24, 30985);
    return image;
}

std::string hexOf(ImageBuilder& image) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : image.padToBytes((image.bitCount() + 7) / 8).bytes()) hex += {digits[byte >> 4], digits[byte & 15]};
    return hex;
}

struct HostileDocument {
    const char* what;
    std::string text;
    std::string line;  // after "tedsedit: standard input: "
};

TEST(DocumentReaderTest, RefusesEachHostileDocumentInOneLine) {
    const std::string sens = "templates[0].properties[0] (%Sens@Ref)";
    std::string nestedElements = R"({"name":"P","type":"none","value":null})";
    for (int i = 0; i < 8000; ++i) nestedElements = R"({"name":"A","type":"array","elements":[[)" + nestedElements + "]]}";
    const HostileDocument cases[] = {
        {"other characters in bits", with("/trailingBits", "0120"),
         "trailingBits must be a text of 0s and 1s, not \"0120\" (character 3 is neither)"},
        {"descriptor bits", with("/templates/0/descriptorBits", " 00"), "templates[0].descriptorBits must be a text of 0s and 1s"},
        {"bits beyond any image", with("/trailingBits", std::string(kMaxDocumentBits + 1, '0')),
         "trailingBits holds " + std::to_string(kMaxDocumentBits + 1) + " bits, more than the largest image (" +
             std::to_string(kMaxDocumentBits) + ")"},
        {"a property without value", without("/templates/0/properties/0/value"), sens + ".value is missing"},
        {"unknown container", with("/container", "bogus"),
         "container must be one of \"raw\", \"hex\", \"ted\", \"eeprom\", \"bits\", not \"bogus\""},
        {"no container", without("/container"), "container is missing"},
        {"100,000 nested arrays in a value", withText("/templates/0/properties/0/value", bracketsAround("", 100000)),
         "the document nests deeper than 197 levels"},
        {"8,000 nested elements", withText("/templates/0/properties/0", nestedElements),
         "the document nests deeper than 197 levels"},
        {"hex digits", with("/hexDigits", "UPPER"), "hexDigits must be one of \"upper\", \"lower\", not \"UPPER\""},
        {"too many pages", with("/eepromPages", 8193), "eepromPages must be a whole number from 1 to 8192, not 8193"},
        {"layout", with("/basic/format", 3), "basic.format must be a whole number from 1 to 2, not 3"},
        {"manufacturer ID wider than its field", with("/basic/manufacturerId", 16384),
         "basic.manufacturerId must be a whole number from 0 to 16383, not 16384"},
        {"serial number of the early layout", withText("/basic", R"({"format":1,"manufacturerId":0,"modelNumber":0,
            "versionLetter":"A","versionNumber":0,"serialNumber":33554432})"),
         "basic.serialNumber must be a whole number from 0 to 33554431, not 33554432"},
        {"version letter", with("/basic/versionLetter", "b"), "basic.versionLetter must be one 5-bit character"},
        {"negative template ID", with("/templates/0/templateId", -1),
         "templates[0].templateId must be a whole number from 0 to 4294967295, not -1"},
        {"fractional manufacturer key", with("/templates/0/manufacturerKey", 1.5),
         "templates[0].manufacturerKey must be a whole number from 0 to 16383, not 1.5"},
        {"select case as text", with("/templates/0/selectCases/1", "1"),
         "templates[0].selectCases[1] must be a whole number from 0 to 18446744073709551615, not \"1\""},
        {"unknown type", with("/templates/0/properties/0/type", "float"),
         sens + ".type must be one of \"real\", \"unsigned\", \"date\", \"text\", \"enum\", \"none\", \"array\", not \"float\""},
        {"real as text", with("/templates/0/properties/0/value", "0.01"),
         sens + ".value must be a number, or null with a text of nan, inf or -inf, not \"0.01\""},
        {"null real without its text", with("/templates/0/properties/0/value", nullptr), sens + ".text is missing"},
        {"a text beside a number", with("/templates/0/properties/0/text", "inf"), sens + ".text names what a null value"},
        {"unsigned past 64 bits", withText("/templates/0/properties/18/value", "18446744073709551616"),
         "templates[0].properties[18] (%MeasID).value must be a whole number from 0 to 18446744073709551615, not 1.8446744073709552e+19"},
        {"unsigned with a fraction", withText("/templates/0/properties/18/value", "42.0"),
         "templates[0].properties[18] (%MeasID).value must be a whole number from 0 to 18446744073709551615, not 42.0"},
        {"date not of its form", with("/templates/0/properties/15/value", "2023-5-17"),
         "templates[0].properties[15] (%CalDate).value must be a date YYYY-MM-DD, or null with its days, not \"2023-5-17\""},
        {"null date without days", withText("/templates/0/properties/15", R"({"name":"%CalDate","type":"date","value":null})"),
         "templates[0].properties[15] (%CalDate).days is missing"},
        {"enumeration by text as value", with("/templates/0/properties/6/value", "AC"),
         "templates[0].properties[6] (%ACDCCoupling).value must be an index from 0 to 18446744073709551615, or null with a text, not \"AC\""},
        {"none with a value", with("/templates/0/properties/10/value", 0),
         "templates[0].properties[10] (%TF_KPQ).value must be null (no value), not 0"},
        {"text as number", with("/templates/0/properties/16/value", 5),
         "templates[0].properties[16] (%CalInitials).value must be a text, not 5"},
        {"a misspelt key", with("/templates/0/properties/1/valeu", 1),
         "templates[0].properties[1] (%TF_HP_S) has the unknown key \"valeu\""},
        {"a key of another type", with("/templates/0/properties/0/days", 1), sens + " has the unknown key \"days\""},
        {"a key twice", withText("/templates/0/properties/18/value", "42, \"value\": 43"),
         "templates[0].properties[18] has the key \"value\" twice"},
        {"informational key of the wrong type", with("/templates/0/missingBits", "none"),
         "templates[0].missingBits must be a whole number, not \"none\""},
        {"a scale that is no object", with("/templates/0/scale", "none"),
         "templates[0].scale must be an object, not \"none\""},
        {"array without elements", withText("/templates/0/properties/18", R"({"name":"X","type":"array"})"),
         "templates[0].properties[18] (X).elements is missing"},
        {"element that is no list", withText("/templates/0/properties/18", R"({"name":"X","type":"array","elements":[1]})"),
         "templates[0].properties[18] (X).elements[0] must be a list of properties, not 1"},
        {"no templates", without("/templates"), "templates is missing"},
        {"a list for a document", "[]", "the document must be an object of the form tedsdump --json writes, not a list"},
        {"no JSON", "{\"container\": hex}", "the document is not JSON: parse error at line 1, column 15"},
        {"a number past a double", withText("/bitsPastEnd", "1e999"), "the document is not JSON: number overflow parsing \"1e999\""},
        {"a long value quoted short", with("/container", std::string(1 << 20, 'x')),
         "container must be one of \"raw\", \"hex\", \"ted\", \"eeprom\", \"bits\", not \"" + std::string(40, 'x') + "\"...\n"},
        {"a long name shown short", withText("/templates/0/properties/1", "{\"name\": \"" + std::string(100, 'n') + "\"}"),
         "templates[0].properties[1] (\"" + std::string(40, 'n') + "\"...).type is missing"},
    };
    ScratchFile tag("", "");
    const std::string output = tag.path() + ".hex";
    for (const HostileDocument& c : cases) {
        const testing::ToolResult run = runEditor({"--from-json", "-", "-o", output}, c.text);
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.what << ": " << run.err;
        EXPECT_NE(run.err.find("tedsedit: standard input: " + c.line), std::string::npos) << c.what << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << c.what;
    }
}

TEST(DocumentReaderTest, ListsTheFirstProblemsOnly) {
    json document = exampleDocument();
    json& properties = document["templates"][0]["properties"];
    for (int i = 0; i < 100000; ++i) properties.push_back(1);
    const teds::api::DocumentRead read = teds::api::readDocument(document.dump());
    ASSERT_EQ(read.problems.size(), 21u);
    EXPECT_EQ(read.problems[0], "templates[0].properties[19] must be a property, not 1");
    EXPECT_EQ(read.problems[20], "and more problems; the first 20 are listed");
}

TEST(DocumentReaderTest, RefusesDocumentsThatCostTooMuchBeforeLookingAtThem) {
    const std::string large(teds::api::kMaxDocumentBytes + 1, ' ');
    EXPECT_EQ(teds::api::readDocument(large).problems,
              std::vector<std::string>{"the document is 16777217 bytes, more than the 16777216 a document may have"});
    // Two million empty lists are 6 MB of text, and would take thirty times that.
    std::string lists = "{\"templates\": [[]";
    for (int i = 0; i < 2000000; ++i) lists += ",[]";
    const teds::api::DocumentRead read = teds::api::readDocument(lists + "]}");
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].rfind("the document holds more values than it can be read with", 0), 0u) << read.problems[0];
}

// The deepest struct arrays a template may have, an enumeration whose
// texts are numbers other than their indexes, and a template ID past 2^31.
const char* const kLimitTemplates = R"(TEMPLATE 0, 32, 4000000000, "Digits"
ENUMERATE Digits, "1", "0"
%Digit, "", ID, 1, Digits, ,
ENDTEMPLATE
TEMPLATE 0, 32, 4000000001, "Deep"
)";

std::string limitTemplates() {
    std::string text = kLimitTemplates;
    for (int i = 0; i < teds::tdl::ParseContext::kMaxNesting; ++i) text += "STRUCTARRAY A, \"\", ID, 1\n";
    text += "%P, \"\", ID, 1, UNINT, ,\n";
    for (int i = 0; i < teds::tdl::ParseContext::kMaxNesting; ++i) text += "ENDSTRUCTARRAY\n";
    return text + "ENDTEMPLATE\nVALIDATION_KEYCODE 0\n";
}

TEST(DocumentReaderTest, DocumentsOfTemplatesAtTheirLimitsComeBackExactly) {
    ScratchFile tdl(limitTemplates(), ".tdl");
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(32, 4000000000u).field(1, 0);  // %Digit: index 0, text "1"
    image.field(2, 0).field(32, 4000000001u);
    for (int i = 0; i < teds::tdl::ParseContext::kMaxNesting; ++i) image.field(1, 1);  // one element each
    image.field(1, 1).field(2, 3);                                                       // %P, the end selector
    ScratchFile input(hexOf(image) + "\n", ".hex");

    const testing::ToolResult dump = runTool({"--tdl", tdl.path(), "--json", input.path()});
    ASSERT_EQ(dump.status, 0) << dump.err;
    json document = json::parse(dump.out);
    ASSERT_EQ(document["templates"].size(), 2u);
    EXPECT_EQ(document["templates"][0]["templateId"], 4000000000u);

    ScratchFile text(dump.out, ".json");
    ScratchFile output("", ".hex");
    const testing::ToolResult edit = runEditor({"--tdl", tdl.path(), "--from-json", text.path(), "-o", output.path()});
    ASSERT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(readFile(output.path()), readFile(input.path()));

    // One level more than the deepest template's document is refused.
    std::string innermost = "/templates/1/properties/0";
    for (int i = 0; i < teds::tdl::ParseContext::kMaxNesting; ++i) innermost += "/elements/0/0";
    document[json::json_pointer(innermost + "/value")] = json::array();
    const teds::api::DocumentRead deeper = teds::api::readDocument(document.dump());
    ASSERT_EQ(deeper.problems.size(), 1u);
    EXPECT_EQ(deeper.problems[0].rfind("the document nests deeper than 197 levels", 0), 0u) << deeper.problems[0];
}

TEST(DocumentReaderTest, TedsdumpWritesNoDocumentTooLargeToRead) {
    // 20,000 elements whose property has a description of 1,000 characters.
    ScratchFile tdl("TEMPLATE 0, 8, 30, \"Many\"\nSTRUCTARRAY Items, \"\", ID, 16\n%Bit, \"" + std::string(1000, 'd') +
                        "\", ID, 1, UNINT, ,\nENDSTRUCTARRAY\nENDTEMPLATE\nVALIDATION_KEYCODE 0\n",
                    ".tdl");
    ImageBuilder image = basicTeds();
    image.field(2, 0).field(8, 30).field(16, 20000).field(20000, 0).field(2, 3);
    const testing::ToolResult dump = runTool({"--tdl", tdl.path(), "--json", "-"}, hexOf(image));
    EXPECT_EQ(dump.status, 2);
    EXPECT_TRUE(dump.out.empty());
    EXPECT_EQ(std::count(dump.err.begin(), dump.err.end(), '\n'), 1) << dump.err;
    EXPECT_NE(dump.err.find("JSON document of 24"), std::string::npos) << dump.err;
}

}  // namespace
}  // namespace tedsdump
