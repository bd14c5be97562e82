#include <gtest/gtest.h>

#include <string>

#include "teds/tdl/TdlParse.hpp"
#include "teds/tdl/nodes/Abstract.hpp"
#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/Spacing.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/tdl/nodes/UGId.hpp"
#include "teds/types/DataType.hpp"
#include "tdl/WriteOnlyFile.hpp"

namespace teds::tdl {
namespace {

using types::DataType;

// Keeps the last result alive for the test, so nodes may be held by reference.
class GrammarTest : public ::testing::Test {
protected:
    const ParseResult& parse(const std::string& text) {
        Lexer lexer{std::string_view(text)};
        result_ = parseTdl(lexer, "t.tdl");
        return result_;
    }

private:
    ParseResult result_;
};

template <typename Param>
class GrammarParamTest : public GrammarTest, public ::testing::WithParamInterface<Param> {};

// One template 0-8-25 around `body`, and the closing line.
std::string inTemplate(const std::string& body) {
    return "TEMPLATE 0, 8, 25, \"Test\"\n" + body + "\nENDTEMPLATE\nVALIDATION_KEYCODE 1\n";
}

// The body of the only template of a file that must parse cleanly.
const nodes::NodeList& bodyOf(const ParseResult& result) {
    EXPECT_EQ(result.syntaxErrors, 0) << (result.diagnostics.empty() ? "" : result.diagnostics.front().message);
    EXPECT_EQ(result.templates.size(), 1u);
    static const nodes::NodeList empty;
    return result.templates.empty() ? empty : result.templates.front().tmpl->body;
}

template <typename T>
const T& only(const ParseResult& result) {
    const nodes::NodeList& body = bodyOf(result);
    EXPECT_EQ(body.size(), 1u);
    const T* node = body.empty() ? nullptr : dynamic_cast<const T*>(body.front().get());
    if (node == nullptr) throw std::runtime_error("not the expected node class");
    return *node;
}

TEST_F(GrammarTest, AFileWithOnlyTheKeycodeHasNoTemplates) {
    const ParseResult& result = parse("VALIDATION_KEYCODE 1");
    EXPECT_EQ(result.syntaxErrors, 0);
    EXPECT_TRUE(result.templates.empty());
}

TEST_F(GrammarTest, CommentsAndBlankLinesMayComeFirstBetweenAndLast) {
    const ParseResult& result = parse(
        "// header comment\n\n"
        "TEMPLATE 0, 8, 1,\nENDTEMPLATE\n// between\n\n"
        "TEMPLATE 0, 8, 2,\nENDTEMPLATE\n"
        "VALIDATION_KEYCODE 7\n// after\n\n");
    EXPECT_EQ(result.syntaxErrors, 0);
    ASSERT_EQ(result.templates.size(), 2u);
    EXPECT_EQ(result.templates[1].line, 7);
}

TEST_F(GrammarTest, TheHeaderGivesKeyWidthIdAndName) {
    const ParseResult& result = parse("TEMPLATE 17, 6, 3, \"Mine\"\n\n\nENDTEMPLATE\nVALIDATION_KEYCODE 0");
    ASSERT_EQ(result.templates.size(), 1u);
    const Template& tmpl = *result.templates[0].tmpl;
    EXPECT_EQ(tmpl.manufacturerKey, 17);
    EXPECT_EQ(tmpl.idWidth, 6u);
    EXPECT_EQ(tmpl.templateId, 3u);
    EXPECT_EQ(tmpl.name, "Mine");
}

TEST_F(GrammarTest, AHeaderMayBreakAfterItsCommas) {
    const ParseResult& result = parse("TEMPLATE 0,\n 8,\n\n 9,\nENDTEMPLATE\nVALIDATION_KEYCODE 0");
    ASSERT_EQ(result.templates.size(), 1u);
    EXPECT_EQ(result.templates[0].tmpl->templateId, 9u);
    EXPECT_TRUE(result.templates[0].tmpl->name.empty());
}

TEST_F(GrammarTest, TextItems) {
    const nodes::NodeList& body = bodyOf(parse(inTemplate(
        "ABSTRACT The text, with \"quotes\"\n"
        "// a comment builds nothing\n"
        "TDL_VERSION_NUMBER 2\n"
        "UGID \"group\", \"note\"\n"
        "SPACING\n"
        "ALIGN 8")));
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(dynamic_cast<const nodes::Abstract&>(*body[0]).text, "ABSTRACT The text, with \"quotes\"");
    EXPECT_EQ(dynamic_cast<const nodes::UGId&>(*body[1]).text, "group");
    EXPECT_EQ(dynamic_cast<const nodes::UGId&>(*body[1]).comment, "note");
    EXPECT_NE(dynamic_cast<const nodes::Spacing*>(body[2].get()), nullptr);
    EXPECT_EQ(dynamic_cast<const nodes::Align&>(*body[3]).bits, 8);
}

TEST_F(GrammarTest, EnumerationEntriesCountFromZeroInOrder) {
    const auto& e = only<nodes::Enum>(parse(inTemplate("ENUMERATE Kind, \"first one\", second,\n  3, 2.50")));
    EXPECT_EQ(e.name, "Kind");
    ASSERT_EQ(e.entries.size(), 4u);
    const char* texts[] = {"first one", "second", "3", "2.50"};
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e.entries[i].value, i);
        EXPECT_EQ(e.entries[i].text, texts[i]);
    }
}

TEST_F(GrammarTest, PhysicalUnitWithOrWithoutParentheses) {
    for (const char* declaration : {"PHYSICAL_UNIT \"m/s^2\", (0, 0, 0, 1, 0, -2, 0, 0, 0, 0, 1.0, 0)",
                                    "PHYSICAL_UNIT accel, 0, 0, 0, 1, 0, -2,\n 0, 0, 0, 0, 1, 0.0"}) {
        const auto& unit = only<nodes::PhysicalUnit>(parse(inTemplate(declaration)));
        EXPECT_EQ(unit.unit.unitType, types::UnitType::Product);
        EXPECT_EQ(unit.unit.exponents[2], 1);
        EXPECT_EQ(unit.unit.exponents[4], -2);
        EXPECT_EQ(unit.unit.text, "(m*s-2)") << declaration;
    }
    EXPECT_EQ(only<nodes::PhysicalUnit>(parse(inTemplate("PHYSICAL_UNIT K, (0,0,0,0,0,0,0,1,0,0, 1, -273.15)"))).unit.offset,
              -273.15);
}

TEST_F(GrammarTest, UnitIntegersStopAtTheFirstNonDigitWhileTheRealsReadWhole) {
    const auto& unit = only<nodes::PhysicalUnit>(
        parse(inTemplate("PHYSICAL_UNIT u, (5e-1, 0, 0, 2E1, 99999999999, -1.5, 0, 0, 0, 0, 2E1, 5e-1)")));
    EXPECT_EQ(unit.unit.unitType, types::UnitType::Arbitrary);
    EXPECT_EQ(unit.unit.exponents[2], 2);
    EXPECT_EQ(unit.unit.exponents[3], 2147483647);
    EXPECT_EQ(unit.unit.exponents[4], -1);
    EXPECT_EQ(unit.unit.slope, 20.0);
    EXPECT_EQ(unit.unit.offset, 0.5);
    EXPECT_EQ(unit.unit.text, "20.000000 * (TODO + 0.500000)");
}

TEST_F(GrammarTest, PhysicalUnitNeedsTwelveNumbers) {
    const ParseResult& result = parse(inTemplate("PHYSICAL_UNIT u, (0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0)"));
    EXPECT_EQ(result.syntaxErrors, 1);
    EXPECT_TRUE(result.templates.empty());
}

TEST_F(GrammarTest, PropertyFieldsInDeclarationOrder) {
    const auto& p = only<nodes::Property>(
        parse(inTemplate("%Sens, \"Sensitivity\", CAL, 16, ConRes, 10, 0.5, \"%.3f\", \"V/g\"")));
    EXPECT_EQ(p.declaration.name, "%Sens");
    EXPECT_EQ(p.qualifier, nodes::Qualifier::None);
    EXPECT_EQ(p.declaration.description, "Sensitivity");
    EXPECT_EQ(p.declaration.access, types::Access::Calibration);
    EXPECT_EQ(p.declaration.width, 16u);
    EXPECT_EQ(p.field.dataType, DataType::ConRes);
    EXPECT_EQ(p.field.start, 10.0);
    EXPECT_EQ(p.field.step, 0.5);
    EXPECT_EQ(p.declaration.displayFormat, "%.3f");
    EXPECT_EQ(p.unitName, "V/g");
    EXPECT_FALSE(p.field.fixedRaw);
}

TEST_F(GrammarTest, PropertyWithEverythingOptionalLeftOut) {
    const auto& p = only<nodes::Property>(parse(inTemplate("%X, , , 0, UNINT, ,")));
    EXPECT_EQ(p.declaration.description, "");
    EXPECT_EQ(p.declaration.access, types::Access::Id);
    EXPECT_EQ(p.declaration.width, 0u);
    EXPECT_EQ(p.declaration.displayFormat, "");
    EXPECT_EQ(p.unitName, "");
}

TEST_F(GrammarTest, PropertyMayBreakAfterItsCommas) {
    const auto& p = only<nodes::Property>(parse(inTemplate("%X,\n \"d\",\n ID,\n 4,\n UNINT,\n \"%d\", \"u\"")));
    EXPECT_EQ(p.declaration.width, 4u);
    EXPECT_EQ(p.unitName, "u");
}

struct DataTypeCase {
    const char* keyword;
    DataType type;
};

using DataTypeTest = GrammarParamTest<DataTypeCase>;

TEST_P(DataTypeTest, KeywordGivesItsCode) {
    const auto& p = only<nodes::Property>(parse(inTemplate(std::string("%P, , ID, 8, ") + GetParam().keyword + ", ,")));
    EXPECT_EQ(p.field.dataType, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKeyword, DataTypeTest,
    ::testing::Values(DataTypeCase{"UNINT", DataType::Unint}, DataTypeCase{"CHR5", DataType::Chr5},
                      DataTypeCase{"DATE", DataType::Date}, DataTypeCase{"ASCII", DataType::Ascii},
                      DataTypeCase{"STRING5", DataType::String5}, DataTypeCase{"STRING7", DataType::String7},
                      DataTypeCase{"STRING16", DataType::String16}, DataTypeCase{"Single", DataType::Single},
                      DataTypeCase{"Unicode", DataType::Unicode}, DataTypeCase{"Bit_Digit", DataType::BitDigit},
                      DataTypeCase{"BitBin", DataType::BitBin}, DataTypeCase{"ConRes, 1, 2", DataType::ConRes},
                      DataTypeCase{"ConRelRes, 1e-3, .05", DataType::ConRelRes}));

struct QualifierCase {
    const char* written;
    std::int32_t code;
    const char* displayName;
};

using QualifierTest = GrammarParamTest<QualifierCase>;

TEST_P(QualifierTest, GivesItsCode) {
    const auto& p = only<nodes::Property>(
        parse(inTemplate(std::string("%Q[") + GetParam().written + "]\n, , ID, 8, UNINT, ,")));
    EXPECT_EQ(static_cast<std::int32_t>(p.qualifier), GetParam().code);
    EXPECT_EQ(p.displayName(), GetParam().displayName);
}

INSTANTIATE_TEST_SUITE_P(
    EveryQualifier, QualifierTest,
    ::testing::Values(QualifierCase{"DEFAULT", 1, "%Q[DEFAULT]"}, QualifierCase{"INITIALIZE", 2, "%Q[INITIALIZE]"},
                      QualifierCase{"CTRLFUNCTIONMASK", 3, "%Q[CTRLFUNCTIONMASK]"},
                      QualifierCase{"READWRITE", 4, "%Q[READWRITE]"},
                      QualifierCase{"FUNCTIONTYPE", 5, "%Q[FUNCTIONTYPE]"}, QualifierCase{"FUNCTION", 6, "%Q[FUNCTION]"},
                      QualifierCase{"\"Custom\"", 7, "%Q[Custom]"}));

TEST_F(GrammarTest, AccessLevels) {
    const ParseResult& result = parse(inTemplate(
        "%A, , ID, 1, UNINT, ,\n%B, , CAL, 1, UNINT, ,\n%C, , USR, 1, UNINT, ,\n%D, , , 1, UNINT, ,"));
    const nodes::NodeList& body = bodyOf(result);
    ASSERT_EQ(body.size(), 4u);
    const types::Access expected[] = {types::Access::Id, types::Access::Calibration, types::Access::User,
                                      types::Access::Id};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(dynamic_cast<const nodes::Property&>(*body[i]).declaration.access, expected[i]);
}

TEST_F(GrammarTest, DescriptionNamingAnotherProperty) {
    const auto& p = only<nodes::Property>(parse(inTemplate("%X, %Other[\"text\"], ID, 8, UNINT, ,")));
    EXPECT_EQ(p.declaration.description, "%Other[text]");
}

struct FixedCase {
    const char* written;
    std::optional<std::uint32_t> raw;
    const char* text;
};

using FixedValueTest = GrammarParamTest<FixedCase>;

TEST_P(FixedValueTest, OnAProperty) {
    const auto& p = only<nodes::Property>(parse(inTemplate(std::string("%F, , ID, 8, UNINT, , = ") + GetParam().written)));
    EXPECT_EQ(p.field.fixedRaw, GetParam().raw);
    EXPECT_EQ(p.fixedValueText, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, FixedValueTest,
    ::testing::Values(FixedCase{"42", 42u, ""}, FixedCase{"0x2A", 42u, ""}, FixedCase{"0b101010", 42u, ""},
                      FixedCase{"42.9", 42u, ""}, FixedCase{"-1", 0xFFFFFFFFu, ""},
                      FixedCase{"0x123456789", 0x23456789u, ""}, FixedCase{"\n  7", 7u, ""},
                      FixedCase{"Name", std::nullopt, "Name"}, FixedCase{"\"Text\"", std::nullopt, "Text"}));

TEST_F(GrammarTest, AFixedNumberOfAWideFieldKeepsSixtyFourBits) {
    EXPECT_EQ(only<nodes::Property>(parse(inTemplate("%F, , ID, 40, UNINT, , = 0x123456789"))).field.fixedRaw, 0x123456789u);
    EXPECT_EQ(only<nodes::Property>(parse(inTemplate("%F, , ID, 64, UNINT, , = -2"))).field.fixedRaw, 0xFFFFFFFFFFFFFFFEu);
    EXPECT_EQ(only<nodes::Property>(parse(inTemplate("%F, , ID, 33, UNINT, , = 4294967296.5"))).field.fixedRaw, 4294967296u);
}

struct WidthCase {
    const char* body;
    bool kept;
};

using FieldWidthTest = GrammarParamTest<WidthCase>;

// A field whose value would lose bits refuses its template; one that reads
// no bits, or holds a text, may be as wide as it likes.
TEST_P(FieldWidthTest, WiderThanItsValueRefusesTheTemplate) {
    const ParseResult& result = parse(inTemplate(GetParam().body));
    EXPECT_EQ(result.syntaxErrors, 0) << GetParam().body;
    EXPECT_EQ(result.templates.size(), GetParam().kept ? 1u : 0u) << GetParam().body;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FieldWidthTest,
    ::testing::Values(WidthCase{"%U, , ID, 64, UNINT, ,", true}, WidthCase{"%U, , ID, 65, UNINT, ,", false},
                      WidthCase{"%D, , ID, 65, DATE, ,", false}, WidthCase{"%R, , ID, 65, ConRes, 0, 1, ,", false},
                      WidthCase{"%R, , ID, 65, ConRelRes, 1, .05, ,", false},
                      WidthCase{"%S, , ID, 32, Single, ,", true}, WidthCase{"%S, , ID, 33, Single, ,", false},
                      WidthCase{"%E, , ID, 65, Kinds, ,", false}, WidthCase{"%E, , ID, 65, Kinds, , = 2", true},
                      WidthCase{"%E, , ID, 65, Kinds, , = \"x\"", true},
                      WidthCase{"%Q[DEFAULT], , ID, 100, UNINT, ,", true}, WidthCase{"%F, , ID, 100, UNINT, , = 5", true},
                      WidthCase{"%T, , ID, 1000, ASCII, ,", true}, WidthCase{"%B, , ID, 100, BitBin, ,", true},
                      WidthCase{"SELECTCASE \"s\", , 64\nCASE \"c\", 0\nENDCASE\nENDSELECT", true},
                      WidthCase{"SELECTCASE \"s\", , 65\nCASE \"c\", 0\nENDCASE\nENDSELECT", false},
                      WidthCase{"STRUCTARRAY A, \"\", , 65\n%P, , ID, 8, UNINT, ,\nENDSTRUCTARRAY", false}));

TEST_F(GrammarTest, ATooWideFieldIsNamedInTheRefusal) {
    const ParseResult& result = parse(inTemplate("%Wide, , ID, 65, UNINT, ,"));
    ASSERT_EQ(result.diagnostics.size(), 1u);
    EXPECT_EQ(result.diagnostics[0].text(),
              "t.tdl:1: template I25 refused: field %Wide on line 2 is 65 bits wide, more than the 64 bits its value "
              "is kept whole in");
}

TEST_F(GrammarTest, APropertyTypedByANameIsAnEnumProperty) {
    const auto& p = only<nodes::EnumProperty>(parse(inTemplate("%E, \"Kind\", USR, 3, Kinds, \"%s\",")));
    EXPECT_EQ(p.declaration.name, "%E");
    EXPECT_EQ(p.declaration.enumeration, "Kinds");
    EXPECT_EQ(p.declaration.description, "Kind");
    EXPECT_EQ(p.declaration.access, types::Access::User);
    EXPECT_EQ(p.declaration.width, 3u);
    EXPECT_EQ(p.declaration.displayFormat, "%s");
    EXPECT_FALSE(p.hasFixedIndex);
    EXPECT_FALSE(p.hasFixedText);
}

TEST_F(GrammarTest, EnumPropertyFixedIndexOrText) {
    const auto& byIndex = only<nodes::EnumProperty>(parse(inTemplate("%E, , ID, 0, Kinds, , = 2")));
    EXPECT_TRUE(byIndex.hasFixedIndex);
    EXPECT_EQ(byIndex.fixedIndex, 2);
    const auto& byText = only<nodes::EnumProperty>(parse(inTemplate("%E, , ID, 0, Kinds, , = \"Voltage\"")));
    EXPECT_TRUE(byText.hasFixedText);
    EXPECT_EQ(byText.fixedText, "Voltage");
}

TEST_F(GrammarTest, AQualifiedEnumerationPropertyReadsNoBits) {
    // A qualified declaration occupies no bits; as an EnumProperty it would read its index.
    const auto& p = only<nodes::Property>(parse(inTemplate("%E[DEFAULT], , ID, 4, Kinds, ,")));
    EXPECT_EQ(p.qualifier, nodes::Qualifier::Default);
}

TEST_F(GrammarTest, SelectCaseWithItsCases) {
    const auto& select = only<nodes::SelectCase>(parse(inTemplate(
        "SELECTCASE \"Type\", ID, 2\n"
        "CASE \"Volt\", 0\n"
        "  %V, , ID, 8, UNINT, ,\n"
        "  // comment inside a case\n"
        "ENDCASE\n"
        "CASE \"Empty\", 1\n"
        "ENDCASE\n"
        "\n"
        "ENDSELECT")));
    EXPECT_EQ(select.name, "Type");
    EXPECT_EQ(select.declaration.width, 2u);
    ASSERT_EQ(select.cases.size(), 2u);
    EXPECT_EQ(select.cases[0].name, "Volt");
    EXPECT_EQ(select.cases[0].selectorValue, 0);
    EXPECT_EQ(select.cases[0].nodes.size(), 1u);
    EXPECT_EQ(select.cases[1].name, "Empty");
    EXPECT_EQ(select.cases[1].selectorValue, 1);
    EXPECT_TRUE(select.cases[1].nodes.empty());
}

TEST_F(GrammarTest, StructArrayWithPropertiesAndANestedArray) {
    const auto& array = only<nodes::StructArray>(parse(inTemplate(
        "STRUCTARRAY Points, \"Cal points\", CAL, 4\n"
        "  %X, , CAL, 8, UNINT, ,\n"
        "  STRUCTARRAY Inner, \"\", , 2\n"
        "    %Y, , CAL, 8, UNINT, ,\n"
        "  ENDSTRUCTARRAY\n"
        "ENDSTRUCTARRAY")));
    EXPECT_EQ(array.declaration.name, "Points");
    EXPECT_EQ(array.declaration.description, "Cal points");
    EXPECT_EQ(array.declaration.width, 4u);
    ASSERT_EQ(array.children.size(), 2u);
    const auto& inner = dynamic_cast<const nodes::StructArray&>(*array.children[1]);
    EXPECT_EQ(inner.declaration.width, 2u);
    EXPECT_EQ(inner.children.size(), 1u);
}

TEST_F(GrammarTest, AStructArrayHoldsNoOtherItems) {
    const ParseResult& result = parse(inTemplate("STRUCTARRAY A, \"\", , 4\n  SPACING\nENDSTRUCTARRAY"));
    EXPECT_EQ(result.syntaxErrors, 1);
    EXPECT_TRUE(result.templates.empty());
}

TEST_F(GrammarTest, ASyntaxErrorKeepsTheTemplatesBeforeIt) {
    const ParseResult& result = parse(
        "TEMPLATE 0, 8, 1,\n%A, , ID, 8, UNINT, ,\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 2,\n%B, , ID, 8, UNINT, ,\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 3,\n%C, , ID, UNINT, ,\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 4,\nENDTEMPLATE\n"
        "VALIDATION_KEYCODE 1\n");
    EXPECT_EQ(result.syntaxErrors, 1);
    ASSERT_EQ(result.templates.size(), 3u);
    EXPECT_EQ(result.templates[0].tmpl->templateId, 1u);
    EXPECT_EQ(result.templates[1].tmpl->templateId, 2u);
    // Reading resumes after the broken template's ENDTEMPLATE.
    EXPECT_EQ(result.templates[2].tmpl->templateId, 4u);
    ASSERT_EQ(result.diagnostics.size(), 1u);
    const std::string reported = result.diagnostics[0].text();
    EXPECT_EQ(reported.rfind("t.tdl:8: syntax error", 0), 0u) << reported;
}

// Error recovery throws away whatever the broken template had built so far:
// items, cases, case lists and struct-array elements at several depths.
// The sanitizer build checks that each is freed exactly once.
TEST_F(GrammarTest, AnErrorDeepInsideATemplateDropsOnlyThatTemplate) {
    const std::string built = "ENUMERATE E, a, b\nPHYSICAL_UNIT u, 0,0,0,0,0,0,0,1,0,0, 1, 0\n%A, , ID, 8, UNINT, ,\n";
    const std::string breaks[] = {
        "SELECTCASE \"s\", , 1\nCASE \"c\", 0\n" + built + "%B, , ID, UNINT, ,\nENDCASE\nENDSELECT",
        "SELECTCASE \"s\", , 1\nCASE \"c\", 0\n" + built + "ENDCASE\nCASE \"d\", 1\nSTRUCTARRAY T, \"\", , 4\n"
        "%B, , ID, 8, UNINT, ,\nSPACING\nENDSTRUCTARRAY\nENDCASE\nENDSELECT",
        "STRUCTARRAY T, \"\", , 4\n%B, , ID, 8, UNINT, ,\nSTRUCTARRAY U, \"\", , 2\n%C, , ID, 8, ,\n"
        "ENDSTRUCTARRAY\nENDSTRUCTARRAY",
        built + "PHYSICAL_UNIT v, (0, 1)",
    };
    for (const std::string& broken : breaks) {
        const ParseResult& result = parse("TEMPLATE 0, 8, 1,\n" + built + "ENDTEMPLATE\nTEMPLATE 0, 8, 2,\n" + broken +
                                         "\nENDTEMPLATE\nTEMPLATE 0, 8, 3,\n" + built + "ENDTEMPLATE\nVALIDATION_KEYCODE 1");
        EXPECT_EQ(result.syntaxErrors, 1) << broken;
        ASSERT_EQ(result.templates.size(), 2u) << broken;
        EXPECT_EQ(result.templates[0].tmpl->templateId, 1u);
        EXPECT_EQ(result.templates[1].tmpl->templateId, 3u);
        EXPECT_EQ(result.templates[1].tmpl->body.size(), 3u);
    }
}

TEST_F(GrammarTest, AMissingKeycodeIsAnErrorAtTheEnd) {
    const ParseResult& result = parse("TEMPLATE 0, 8, 1,\nENDTEMPLATE\n");
    EXPECT_EQ(result.syntaxErrors, 1);
    EXPECT_EQ(result.templates.size(), 1u);
}

TEST_F(GrammarTest, ACharacterThatBeginsNoTokenEndsTheInput) {
    const ParseResult& result = parse("TEMPLATE 0, 8, 1,\nENDTEMPLATE\n;\nTEMPLATE 0, 8, 2,\nENDTEMPLATE\nVALIDATION_KEYCODE 1");
    EXPECT_EQ(result.templates.size(), 1u);
    EXPECT_EQ(result.syntaxErrors, 1);
    ASSERT_FALSE(result.diagnostics.empty());
    EXPECT_EQ(result.diagnostics[0].kind, DiagnosticKind::InvalidCharacter);
    EXPECT_EQ(result.diagnostics[0].text(),
              "t.tdl:3: ';' begins no token; the rest of the file is not read");
}

TEST_F(GrammarTest, UnusableNumbersRefuseTheirTemplate) {
    const ParseResult& result = parse(
        "TEMPLATE 0, 8, 99999999999,\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 2,\n%A, , ID, -1, UNINT, ,\nENDTEMPLATE\n"
        "TEMPLATE 0, 8, 3,\nENDTEMPLATE\n"
        "VALIDATION_KEYCODE 1");
    EXPECT_EQ(result.syntaxErrors, 0);
    ASSERT_EQ(result.templates.size(), 1u);
    EXPECT_EQ(result.templates[0].tmpl->templateId, 3u);
    ASSERT_EQ(result.diagnostics.size(), 2u);
    EXPECT_EQ(result.diagnostics[0].text(),
              "t.tdl:1: template I0 refused: template ID '99999999999' is out of range");
    EXPECT_EQ(result.diagnostics[1].text(),
              "t.tdl:3: template I2 refused: field width '-1' is out of range on line 4");
}

TEST_F(GrammarTest, AReadErrorStopsTheParseLikeASyntaxError) {
    const testing::WriteOnlyFile file("teds_grammar_write_only.tdl");
    ASSERT_NE(file.get(), nullptr);
    if (!file.readFails()) GTEST_SKIP() << "this C library reports no error reading a write-only stream";
    Lexer lexer(file.get());
    const ParseResult result = parseTdl(lexer, "w.tdl");
    EXPECT_TRUE(result.templates.empty());
    const Diagnostic expected{"w.tdl", 1, DiagnosticKind::ReadFailure,
                              "input in flex scanner failed; the rest of the file is not read", {}};
    EXPECT_EQ(result.diagnostics, std::vector<Diagnostic>{expected});
}

// `levels` select cases, one inside the other, around one property.
std::string nestedSelects(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += "SELECTCASE \"s\", , 1\nCASE \"c\", 0\n";
    text += "%P, , ID, 8, UNINT, ,\n";
    for (int i = 0; i < levels; ++i) text += "ENDCASE\nENDSELECT\n";
    return text;
}

std::string nestedArrays(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += "STRUCTARRAY A, \"\", , 1\n";
    text += "%P, , ID, 8, UNINT, ,\n";
    for (int i = 0; i < levels; ++i) text += "ENDSTRUCTARRAY\n";
    return text;
}

TEST_F(GrammarTest, NestingUpToTheLimitIsKept) {
    const std::int32_t limit = ParseContext::kMaxNesting;
    EXPECT_EQ(parse(inTemplate(nestedSelects(limit))).templates.size(), 1u);
    EXPECT_EQ(parse(inTemplate(nestedArrays(limit))).templates.size(), 1u);
}

TEST_F(GrammarTest, NestingBeyondTheLimitRefusesTheTemplateOnly) {
    const std::int32_t limit = ParseContext::kMaxNesting;
    for (const std::string& deep : {nestedSelects(limit + 1), nestedArrays(limit + 1)}) {
        const ParseResult& result = parse("TEMPLATE 0, 8, 1,\n" + deep +
                                         "ENDTEMPLATE\nTEMPLATE 0, 8, 2,\nENDTEMPLATE\nVALIDATION_KEYCODE 1");
        EXPECT_EQ(result.syntaxErrors, 0);
        ASSERT_EQ(result.templates.size(), 1u);
        EXPECT_EQ(result.templates[0].tmpl->templateId, 2u);
        ASSERT_EQ(result.diagnostics.size(), 1u);
        EXPECT_EQ(result.diagnostics[0].text(),
                  "t.tdl:1: template I1 refused: select cases and struct arrays nested deeper than 64 levels");
    }
}

TEST_F(GrammarTest, HundredThousandLevelsStopTheParseWithoutHarm) {
    for (const std::string& deep : {nestedSelects(100000), nestedArrays(100000)}) {
        const ParseResult& result = parse("TEMPLATE 0, 8, 1,\nENDTEMPLATE\n" + inTemplate(deep));
        ASSERT_EQ(result.templates.size(), 1u);
        ASSERT_FALSE(result.diagnostics.empty());
        EXPECT_EQ(result.diagnostics.back().kind, DiagnosticKind::NestingLimit);
        EXPECT_NE(result.diagnostics.back().message.find("the rest of the file is not read"), std::string::npos);
    }
}

}  // namespace
}  // namespace teds::tdl
