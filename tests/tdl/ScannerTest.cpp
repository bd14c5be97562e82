#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "teds/tdl/TdlLexer.hpp"
#include "tdl/WriteOnlyFile.hpp"

namespace teds::tdl {
namespace {

struct KeywordCase {
    const char* text;
    int kind;
};

// The keywords in rule order, with the kind each must give.
const KeywordCase kKeywords[] = {
    {"TDL_VERSION_NUMBER", 269}, {"VALIDATION_KEYCODE", 268}, {"UGID", 270},      {"SPACING", 271},
    {"SELECTCASE", 273},         {"ENDSELECT", 274},          {"CASE", 275},      {"ENDCASE", 276},
    {"STRUCTARRAY", 277},        {"ENDSTRUCTARRAY", 278},     {"ENUMERATE", 303}, {"PHYSICAL_UNIT", 304},
    {"ID", 279},                 {"CAL", 280},                {"USR", 281},       {"ALIGN", 282},
    {"UNINT", 283},              {"CHR5", 284},               {"STRING5", 288},   {"STRING7", 289},
    {"STRING16", 290},           {"DATE", 285},               {"ConRelRes", 286}, {"ConRes", 287},
    {"ASCII", 291},              {"Single", 292},             {"Unicode", 293},   {"Bit_Digit", 294},
    {"BitBin", 295},             {"DEFAULT", 297},            {"INITIALIZE", 298}, {"READWRITE", 299},
    {"CTRLFUNCTIONMASK", 300},   {"FUNCTIONTYPE", 301},       {"FUNCTION", 302},  {"ENDTEMPLATE", 272},
};

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

class KeywordTest : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordTest, GivesItsKindInAnyCaseAndNoText) {
    const KeywordCase& keyword = GetParam();
    EXPECT_EQ(tokenize(keyword.text), (std::vector<Token>{{keyword.kind, ""}}));
    EXPECT_EQ(tokenize(lower(keyword.text)), (std::vector<Token>{{keyword.kind, ""}}));
}

TEST_P(KeywordTest, IsAnIdentifierWhenANameCharacterFollows) {
    const std::string longer = std::string(GetParam().text) + "_";
    EXPECT_EQ(tokenize(longer), (std::vector<Token>{{kIdentifier, longer}}));
}

INSTANTIATE_TEST_SUITE_P(TokenTable, KeywordTest, ::testing::ValuesIn(kKeywords));

struct ScanCase {
    const char* what;
    std::string input;
    std::vector<Token> tokens;
};

void PrintTo(const ScanCase& c, std::ostream* out) { *out << c.what; }

class ScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, GivesTheTokens) { EXPECT_EQ(tokenize(GetParam().input), GetParam().tokens); }

const ScanCase kScanCases[] = {
    // Tokens that carry text.
    {"abstract takes its line", "ABSTRACT some text, \"quoted\"\n",
     {{kAbstract, "ABSTRACT some text, \"quoted\""}, {kEndOfLine, ""}}},
    {"abstract in any case", "abstract x", {{kAbstract, "abstract x"}}},
    {"abstract swallows a longer word", "ABSTRACTS foo", {{kAbstract, "ABSTRACTS foo"}}},
    {"abstract stops at a carriage return", "Abstract a\r\nID", {{kAbstract, "Abstract a"}, {kEndOfLine, ""}, {kEndOfLine, ""}, {kId, ""}}},
    {"template keeps its spelling", "template", {{kTemplate, "template"}}},
    {"template with more letters is a name", "TEMPLATEX", {{kIdentifier, "TEMPLATEX"}}},
    {"percent name", "%Name_1!#$&@^x", {{kPercentName, "%Name_1!#$&@^x"}}},
    {"percent needs a letter", "%1a", {{kNoToken, "%"}, {kInteger, "1"}, {kIdentifier, "a"}}},
    {"comment text", "// a comment", {{kComment, " a comment"}}},
    {"comment at the end of a line", "ID //\nCAL", {{kId, ""}, {kComment, ""}, {kEndOfLine, ""}, {kCal, ""}}},
    {"comment right after a name", "a//b", {{kIdentifier, "a"}, {kComment, "b"}}},
    {"identifiers keep their case", "MyEnum x", {{kIdentifier, "MyEnum"}, {kIdentifier, "x"}}},
    {"double-quoted string", "\"a 'b' c\"", {{kString, "a 'b' c"}}},
    {"single-quoted string", "'a \"b\"'", {{kString, "a \"b\""}}},
    {"empty strings", "\"\"''", {{kString, ""}, {kString, ""}}},
    {"unclosed quote", "\"abc", {{kNoToken, "\""}, {kIdentifier, "abc"}}},
    {"a string ends at its line", "'ab\ncd'", {{kNoToken, "'"}, {kIdentifier, "ab"}, {kEndOfLine, ""}, {kIdentifier, "cd"}, {kNoToken, "'"}}},
    // Numbers.
    {"integers with and without sign", "12 -3 +4", {{kInteger, "12"}, {kInteger, "-3"}, {kInteger, "+4"}}},
    {"hexadecimal", "0x1F 0XaB", {{kHexInteger, "0x1F"}, {kHexInteger, "0XaB"}}},
    {"binary", "0b101 0B1", {{kBinInteger, "0b101"}, {kBinInteger, "0B1"}}},
    {"reals", "1. 1.5 -1.5e-3 2e10 .5 .5E2 +1.0",
     {{kReal, "1."}, {kReal, "1.5"}, {kReal, "-1.5e-3"}, {kReal, "2e10"}, {kReal, ".5"}, {kReal, ".5E2"}, {kReal, "+1.0"}}},
    {"0B2 is zero and a name", "0B2", {{kInteger, "0"}, {kIdentifier, "B2"}}},
    {"1e is one and a name", "1e", {{kInteger, "1"}, {kIdentifier, "e"}}},
    {"0x alone is zero and a name", "0x", {{kInteger, "0"}, {kIdentifier, "x"}}},
    {"a sign before a point is no number", "+.5", {{kNoToken, "+"}, {kReal, ".5"}}},
    {"digits run into a name", "12ab", {{kInteger, "12"}, {kIdentifier, "ab"}}},
    // Names that merely start like keywords.
    {"longer than a keyword", "IDx FUNCTION_ STRING16a", {{kIdentifier, "IDx"}, {kIdentifier, "FUNCTION_"}, {kIdentifier, "STRING16a"}}},
    {"spaced keyword words", "TDL VERSION NUMBER", {{kIdentifier, "TDL"}, {kIdentifier, "VERSION"}, {kIdentifier, "NUMBER"}}},
    {"mixed-case keywords", "tdl_version_number Bit_digit BITbin conres",
     {{kTdlVersionNumber, ""}, {kBitDigit, ""}, {kBitBin, ""}, {kConRes, ""}}},
    // Punctuation, blanks and line ends.
    {"punctuation", "[]=,()", {{'[', ""}, {']', ""}, {'=', ""}, {',', ""}, {'(', ""}, {')', ""}}},
    {"blanks and tabs are dropped", " \t a \t", {{kIdentifier, "a"}}},
    {"line feed", "\n", {{kEndOfLine, ""}}},
    {"CR LF gives two line ends", "\r\n", {{kEndOfLine, ""}, {kEndOfLine, ""}}},
    {"characters that begin nothing", "_ . % / + - ; : *",
     {{kNoToken, "_"}, {kNoToken, "."}, {kNoToken, "%"}, {kNoToken, "/"}, {kNoToken, "+"}, {kNoToken, "-"},
      {kNoToken, ";"}, {kNoToken, ":"}, {kNoToken, "*"}}},
    {"bytes above 127", "\x80\xff", {{kNoToken, "\x80"}, {kNoToken, "\xff"}}},
    {"a NUL byte", std::string("a\0b", 3), {{kIdentifier, "a"}, {kNoToken, std::string(1, '\0')}, {kIdentifier, "b"}}},
    {"a NUL byte ends an abstract", std::string("ABSTRACT x\0y", 12),
     {{kAbstract, "ABSTRACT x"}, {kNoToken, std::string(1, '\0')}, {kIdentifier, "y"}}},
    {"empty input", "", {}},
};

INSTANTIATE_TEST_SUITE_P(TokenTable, ScanTest, ::testing::ValuesIn(kScanCases));

TEST(ScannerTest, AVeryLongNameIsOneToken) {
    const std::string name = "N" + std::string(1 << 20, 'a');
    const std::vector<Token> tokens = tokenize(name + " x");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].kind, kIdentifier);
    EXPECT_EQ(tokens[0].text.size(), name.size());
}

TEST(ScannerTest, CountsLinesAlikeForLfCrLfAndCr) {
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string text = std::string("a") + end + end + "b" + end + "c";
        Lexer lexer{std::string_view(text)};
        std::string value;
        std::vector<std::int32_t> nameLines;
        for (int kind; (kind = lexer.next(value)) != kEndOfInput;)
            if (kind == kIdentifier) nameLines.push_back(lexer.tokenLine());
        EXPECT_EQ(nameLines, (std::vector<std::int32_t>{1, 3, 4})) << "line end " << (end[0] == '\r' ? "CR..." : "LF");
    }
}

TEST(ScannerTest, ReadsAFileAcrossItsBlocks) {
    // More than one 16 KiB block, with a token straddling the boundary.
    std::string text(16383, ' ');
    text += "STRUCTARRAY";
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    {
        Lexer lexer(file);
        std::string value;
        EXPECT_EQ(lexer.next(value), kStructArray);
        EXPECT_EQ(lexer.next(value), kEndOfInput);
    }
    std::fclose(file);
}

TEST(ScannerTest, AReadErrorIsRaisedInsteadOfEndingTheProcess) {
    const testing::WriteOnlyFile file("teds_scanner_write_only.tdl");
    ASSERT_NE(file.get(), nullptr);
    if (!file.readFails()) GTEST_SKIP() << "this C library reports no error reading a write-only stream";
    Lexer lexer(file.get());
    std::string value;
    EXPECT_THROW(lexer.next(value), ScanFailure);
}

}  // namespace
}  // namespace teds::tdl
