#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Tokenize.hpp"
#include "teds/tdl/TdlLexer.hpp"
#include "tdl/WriteOnlyFile.hpp"

namespace teds::tdl {
namespace {

using teds::testing::Token;
using teds::testing::tokenize;

// The grammar's kind for a character that begins no token.
constexpr int kNoToken = TOK_TDLGRAMMAR_UNDEF;

struct KeywordCase {
    const char* text;
    int kind;
};

// The keywords in rule order, with the kind each must give.
const KeywordCase kKeywords[] = {
    {"TDL_VERSION_NUMBER", TOK_TDL_VERSION_NUMBER}, {"VALIDATION_KEYCODE", TOK_VALIDATION_KEYCODE}, {"UGID", TOK_UGID},
    {"SPACING", TOK_SPACING}, {"SELECTCASE", TOK_SELECTCASE}, {"ENDSELECT", TOK_ENDSELECT},
    {"CASE", TOK_CASE}, {"ENDCASE", TOK_ENDCASE}, {"STRUCTARRAY", TOK_STRUCTARRAY},
    {"ENDSTRUCTARRAY", TOK_ENDSTRUCTARRAY}, {"ENUMERATE", TOK_ENUMERATE}, {"PHYSICAL_UNIT", TOK_PHYSICAL_UNIT},
    {"ID", TOK_ID}, {"CAL", TOK_CAL}, {"USR", TOK_USR},
    {"ALIGN", TOK_ALIGN}, {"UNINT", TOK_UNINT}, {"CHR5", TOK_CHR5},
    {"STRING5", TOK_STRING5}, {"STRING7", TOK_STRING7}, {"STRING16", TOK_STRING16},
    {"DATE", TOK_DATE}, {"ConRelRes", TOK_CONRELRES}, {"ConRes", TOK_CONRES},
    {"ASCII", TOK_ASCII}, {"Single", TOK_SINGLE}, {"Unicode", TOK_UNICODE},
    {"Bit_Digit", TOK_BIT_DIGIT}, {"BitBin", TOK_BITBIN}, {"DEFAULT", TOK_DEFAULT},
    {"INITIALIZE", TOK_INITIALIZE}, {"READWRITE", TOK_READWRITE}, {"CTRLFUNCTIONMASK", TOK_CTRLFUNCTIONMASK},
    {"FUNCTIONTYPE", TOK_FUNCTIONTYPE}, {"FUNCTION", TOK_FUNCTION}, {"ENDTEMPLATE", TOK_ENDTEMPLATE},
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
    EXPECT_EQ(tokenize(longer), (std::vector<Token>{{TOK_IDENT, longer}}));
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
     {{TOK_ABSTRACT, "ABSTRACT some text, \"quoted\""}, {TOK_EOL, ""}}},
    {"abstract in any case", "abstract x", {{TOK_ABSTRACT, "abstract x"}}},
    {"abstract swallows a longer word", "ABSTRACTS foo", {{TOK_ABSTRACT, "ABSTRACTS foo"}}},
    {"abstract stops at a carriage return", "Abstract a\r\nID", {{TOK_ABSTRACT, "Abstract a"}, {TOK_EOL, ""}, {TOK_EOL, ""}, {TOK_ID, ""}}},
    {"template keeps its spelling", "template", {{TOK_TEMPLATE, "template"}}},
    {"template with more letters is a name", "TEMPLATEX", {{TOK_IDENT, "TEMPLATEX"}}},
    {"percent name", "%Name_1!#$&@^x", {{TOK_PERCENT_NAME, "%Name_1!#$&@^x"}}},
    {"percent needs a letter", "%1a", {{kNoToken, "%"}, {TOK_INTEGER, "1"}, {TOK_IDENT, "a"}}},
    {"comment text", "// a comment", {{TOK_COMMENT, " a comment"}}},
    {"comment at the end of a line", "ID //\nCAL", {{TOK_ID, ""}, {TOK_COMMENT, ""}, {TOK_EOL, ""}, {TOK_CAL, ""}}},
    {"comment right after a name", "a//b", {{TOK_IDENT, "a"}, {TOK_COMMENT, "b"}}},
    {"identifiers keep their case", "MyEnum x", {{TOK_IDENT, "MyEnum"}, {TOK_IDENT, "x"}}},
    {"double-quoted string", "\"a 'b' c\"", {{TOK_STRING, "a 'b' c"}}},
    {"single-quoted string", "'a \"b\"'", {{TOK_STRING, "a \"b\""}}},
    {"empty strings", "\"\"''", {{TOK_STRING, ""}, {TOK_STRING, ""}}},
    {"unclosed quote", "\"abc", {{kNoToken, "\""}, {TOK_IDENT, "abc"}}},
    {"a string ends at its line", "'ab\ncd'", {{kNoToken, "'"}, {TOK_IDENT, "ab"}, {TOK_EOL, ""}, {TOK_IDENT, "cd"}, {kNoToken, "'"}}},
    // Numbers.
    {"integers with and without sign", "12 -3 +4", {{TOK_INTEGER, "12"}, {TOK_INTEGER, "-3"}, {TOK_INTEGER, "+4"}}},
    {"hexadecimal", "0x1F 0XaB", {{TOK_HEXINT, "0x1F"}, {TOK_HEXINT, "0XaB"}}},
    {"binary", "0b101 0B1", {{TOK_BININT, "0b101"}, {TOK_BININT, "0B1"}}},
    {"reals", "1. 1.5 -1.5e-3 2e10 .5 .5E2 +1.0",
     {{TOK_REAL, "1."}, {TOK_REAL, "1.5"}, {TOK_REAL, "-1.5e-3"}, {TOK_REAL, "2e10"}, {TOK_REAL, ".5"}, {TOK_REAL, ".5E2"}, {TOK_REAL, "+1.0"}}},
    {"0B2 is zero and a name", "0B2", {{TOK_INTEGER, "0"}, {TOK_IDENT, "B2"}}},
    {"1e is one and a name", "1e", {{TOK_INTEGER, "1"}, {TOK_IDENT, "e"}}},
    {"0x alone is zero and a name", "0x", {{TOK_INTEGER, "0"}, {TOK_IDENT, "x"}}},
    {"a sign before a point is no number", "+.5", {{kNoToken, "+"}, {TOK_REAL, ".5"}}},
    {"digits run into a name", "12ab", {{TOK_INTEGER, "12"}, {TOK_IDENT, "ab"}}},
    // Names that merely start like keywords.
    {"longer than a keyword", "IDx FUNCTION_ STRING16a", {{TOK_IDENT, "IDx"}, {TOK_IDENT, "FUNCTION_"}, {TOK_IDENT, "STRING16a"}}},
    {"spaced keyword words", "TDL VERSION NUMBER", {{TOK_IDENT, "TDL"}, {TOK_IDENT, "VERSION"}, {TOK_IDENT, "NUMBER"}}},
    {"mixed-case keywords", "tdl_version_number Bit_digit BITbin conres",
     {{TOK_TDL_VERSION_NUMBER, ""}, {TOK_BIT_DIGIT, ""}, {TOK_BITBIN, ""}, {TOK_CONRES, ""}}},
    // Punctuation, blanks and line ends.
    {"punctuation", "[]=,()", {{'[', ""}, {']', ""}, {'=', ""}, {',', ""}, {'(', ""}, {')', ""}}},
    {"blanks and tabs are dropped", " \t a \t", {{TOK_IDENT, "a"}}},
    {"line feed", "\n", {{TOK_EOL, ""}}},
    {"CR LF gives two line ends", "\r\n", {{TOK_EOL, ""}, {TOK_EOL, ""}}},
    {"characters that begin nothing", "_ . % / + - ; : *",
     {{kNoToken, "_"}, {kNoToken, "."}, {kNoToken, "%"}, {kNoToken, "/"}, {kNoToken, "+"}, {kNoToken, "-"},
      {kNoToken, ";"}, {kNoToken, ":"}, {kNoToken, "*"}}},
    {"bytes above 127", "\x80\xff", {{kNoToken, "\x80"}, {kNoToken, "\xff"}}},
    {"a NUL byte", std::string("a\0b", 3), {{TOK_IDENT, "a"}, {kNoToken, std::string(1, '\0')}, {TOK_IDENT, "b"}}},
    {"a NUL byte ends an abstract", std::string("ABSTRACT x\0y", 12),
     {{TOK_ABSTRACT, "ABSTRACT x"}, {kNoToken, std::string(1, '\0')}, {TOK_IDENT, "y"}}},
    {"empty input", "", {}},
};

INSTANTIATE_TEST_SUITE_P(TokenTable, ScanTest, ::testing::ValuesIn(kScanCases));

TEST(ScannerTest, AVeryLongNameIsOneToken) {
    const std::string name = "N" + std::string(1 << 20, 'a');
    const std::vector<Token> tokens = tokenize(name + " x");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].kind, TOK_IDENT);
    EXPECT_EQ(tokens[0].text.size(), name.size());
}

TEST(ScannerTest, CountsLinesAlikeForLfCrLfAndCr) {
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string text = std::string("a") + end + end + "b" + end + "c";
        Lexer lexer{std::string_view(text)};
        std::string value;
        std::vector<std::int32_t> nameLines;
        for (int kind; (kind = lexer.next(value)) != TOK_END;)
            if (kind == TOK_IDENT) nameLines.push_back(lexer.tokenLine());
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
        EXPECT_EQ(lexer.next(value), TOK_STRUCTARRAY);
        EXPECT_EQ(lexer.next(value), TOK_END);
    }
    std::fclose(file);
}

TEST(ScannerTest, AReadErrorEndsTheInputWithItsReason) {
    const testing::WriteOnlyFile file("teds_scanner_write_only.tdl");
    ASSERT_NE(file.get(), nullptr);
    if (!file.readFails()) GTEST_SKIP() << "this C library reports no error reading a write-only stream";
    Lexer lexer(file.get());
    std::string value;
    EXPECT_EQ(lexer.next(value), TOK_TDLGRAMMAR_error);
    EXPECT_EQ(value, "input in flex scanner failed");
    // It does not read on after the failure.
    EXPECT_EQ(lexer.next(value), TOK_TDLGRAMMAR_error);
}

}  // namespace
}  // namespace teds::tdl
