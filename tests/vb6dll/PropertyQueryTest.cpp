// Property queries through the exports: selection by position and by name,
// each VARIANT type, unit texts and arrays, and the failure outputs.

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

namespace teds::test {
namespace {

constexpr std::uint32_t kEveryKind = 0;
constexpr std::uint32_t kTable = 1;
constexpr std::uint32_t kOtherMaker = 2;

const char kVoltText[] = "(m2*kg*s-3*A-1)";
const std::vector<double> kVoltArray = {0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0};
const std::vector<double> kCelsiusArray = {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, -273.15};

class PropertyQuery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(session.load(kTemplatesTdl), 3);
        teds = session.decode(chainImage());
        ASSERT_NE(teds, nullptr);
        ASSERT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
    }

    Session session;
    DecodedTeds teds = nullptr;
};

// What one query by position hands out.
struct Answer {
    std::int32_t result = -1;
    std::string name;
    VARTYPE type = 0xFFFF;
    VARIANT value{};
    std::u16string text;  // for VT_BSTR values
    std::string unit;
    bool unitIsNull = false;
    VARTYPE unitArrayType = 0xFFFF;
    std::vector<double> unitArray;
    std::int32_t status = -7;
};

Answer askByIndex(DecodedTeds teds, std::uint32_t templateIndex, std::int32_t position) {
    Answer answer;
    OwnedBstr name("stale name");
    OwnedVariant value;
    OwnedBstr unit("stale unit");
    OwnedVariant unitArray;
    unitArray.value.vt = VT_BSTR;  // must be released, not leaked, by the query
    unitArray.value.bstrVal = SysAllocStringByteLen("stale array", 11);
    answer.result = MirxTEDS_GetPropertyByIdxEx(teds, templateIndex, position, name.out(), value.out(),
                                                unit.out(), unitArray.out(), &answer.status);
    answer.name = byteText(name.value);
    answer.type = value.value.vt;
    answer.value = value.value;
    if (value.value.vt == VT_BSTR) answer.text = wideText(value.value.bstrVal);
    answer.unit = byteText(unit.value);
    answer.unitIsNull = unit.value == nullptr;
    answer.unitArrayType = unitArray.value.vt;
    answer.unitArray = arrayOfDoubles(unitArray.value);
    return answer;
}

// The type and the value of a VARIANT as text, to compare two of them.
std::string describe(const VARIANT& v) {
    std::string value;
    switch (v.vt) {
    case VT_UI4: value = std::to_string(v.ulVal); break;
    case VT_R8: value = std::to_string(v.dblVal); break;
    case VT_DATE: value = std::to_string(v.date); break;
    case VT_BSTR: {
        for (char16_t unit : wideText(v.bstrVal)) value += std::to_string(unit) + " ";
        break;
    }
    default: break;
    }
    return std::to_string(v.vt) + ":" + value;
}

TEST_F(PropertyQuery, EveryKindArrivesAsItsVariantType) {
    ASSERT_EQ(MirxTEDS_GetTotalPropertyCount(teds, kEveryKind), 9);

    Answer count = askByIndex(teds, kEveryKind, 0);
    EXPECT_EQ(count.result, 1);
    EXPECT_EQ(count.name, "%Count");
    EXPECT_EQ(count.type, VT_UI4);
    EXPECT_EQ(count.value.ulVal, 200u);
    EXPECT_EQ(count.unit, kVoltText);
    EXPECT_EQ(count.unitArrayType, VT_ARRAY | VT_R8);
    EXPECT_EQ(count.unitArray, kVoltArray);
    EXPECT_EQ(count.status, 0);

    Answer gain = askByIndex(teds, kEveryKind, 1);
    EXPECT_EQ(gain.name, "%Gain");
    EXPECT_EQ(gain.type, VT_R8);
    EXPECT_EQ(gain.value.dblVal, 3.0);

    Answer date = askByIndex(teds, kEveryKind, 2);
    EXPECT_EQ(date.name, "%CalDate");
    EXPECT_EQ(date.type, VT_DATE);
    EXPECT_EQ(date.value.date, 36161.0);  // 1999-01-01
    EXPECT_TRUE(date.unitIsNull);          // a property without a unit
    EXPECT_EQ(date.unitArrayType, VT_EMPTY);

    Answer label = askByIndex(teds, kEveryKind, 3);
    EXPECT_EQ(label.type, VT_BSTR);
    EXPECT_EQ(label.text, u"A @");

    Answer polarity = askByIndex(teds, kEveryKind, 4);
    EXPECT_EQ(polarity.name, "%Pol");
    EXPECT_EQ(polarity.type, VT_UI4);
    EXPECT_EQ(polarity.value.ulVal, 2u);
    EXPECT_EQ(polarity.unit, "enum Polarity");
    EXPECT_EQ(polarity.unitArrayType, VT_EMPTY);

    Answer temperature = askByIndex(teds, kEveryKind, 5);
    EXPECT_EQ(temperature.type, VT_R8);
    EXPECT_EQ(temperature.value.dblVal, 1.5);
    EXPECT_EQ(temperature.unit, "(K) + -273.150000");
    EXPECT_EQ(temperature.unitArray, kCelsiusArray);

    Answer missing = askByIndex(teds, kEveryKind, 6);
    EXPECT_EQ(missing.result, 1);
    EXPECT_EQ(missing.name, "%Missing");
    EXPECT_EQ(missing.type, VT_EMPTY);
    EXPECT_EQ(missing.unit, kVoltText);

    Answer odd = askByIndex(teds, kEveryKind, 7);
    EXPECT_EQ(odd.value.ulVal, 3u);
    EXPECT_EQ(odd.unit, "Invalid");
    EXPECT_EQ(odd.unitArrayType, VT_EMPTY);  // type 7 has no numbers to hand out

    Answer wide = askByIndex(teds, kEveryKind, 8);
    EXPECT_EQ(wide.type, VT_BSTR);
    EXPECT_EQ(wide.text, u"\u00E9\u20AC");
}

TEST_F(PropertyQuery, DateZeroIsTheFirstDayOf1998) {
    EveryKindValues values;
    values.calDays = 0;
    ImageWriter image;
    image.standardBasicTeds(1, 1, 1, 1, 1);
    writeEveryKindTemplate(image, values);
    DecodedTeds dated = session.decode(image);
    OwnedVariant value;
    ASSERT_EQ(MirxTEDS_GetPropertyValue(dated, 0, "%CalDate", 0, value.out(), nullptr), 1);
    EXPECT_EQ(value.value.vt, VT_DATE);
    EXPECT_EQ(value.value.date, 35796.0);
}

// The VARIANT types stay what callers know: a number or an index beyond
// VT_UI4 gives its low 32 bits, as it always has; a VT_DATE, being a double,
// takes the whole day count.
TEST(WideValueDelivery, KeepsTheVariantTypes) {
    Session session;
    ASSERT_EQ(session.load("TEMPLATE 0, 8, 41, \"Wide\"\n"
                           "ENUMERATE Pick, \"zero\", \"one\", \"two\"\n"
                           "%Big, \"\", ID, 64, UNINT, \"\", \"\"\n"
                           "%Pick, \"\", ID, 40, Pick, \"\", \"\"\n"
                           "%Day, \"\", ID, 40, DATE, \"\", \"\"\n"
                           "ENDTEMPLATE\nVALIDATION_KEYCODE 1\n"),
              1);
    ImageWriter image;
    image.standardBasicTeds(1, 1, 1, 1, 1);
    image.bits(2, 0).bits(8, 41).bits(64, 0x10000003039).bits(40, 0x100000002).bits(40, 0x200000000);
    const DecodedTeds teds = session.decode(image);
    const struct {
        const char* name;
        VARTYPE type;
        double value;
    } rows[] = {{"%Big", VT_UI4, 12345.0}, {"%Pick", VT_UI4, 2.0}, {"%Day", VT_DATE, 8589934592.0 + 35796.0}};
    for (const auto& row : rows) {
        OwnedVariant value;
        ASSERT_EQ(MirxTEDS_GetPropertyValue(teds, 0, row.name, 0, value.out(), nullptr), 1) << row.name;
        EXPECT_EQ(value.value.vt, row.type) << row.name;
        const double delivered = row.type == VT_DATE ? value.value.date : static_cast<double>(value.value.ulVal);
        EXPECT_EQ(delivered, row.value) << row.name;
    }
}

TEST_F(PropertyQuery, StructArraysCountTheirRecordsByPosition) {
    EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(teds, kTable), 7);
    const struct {
        std::int32_t position;
        const char* name;
        std::uint32_t value;
    } cases[] = {
        {0, "%X", 10}, {1, "%Y", 11}, {2, "%X", 20}, {5, "%Y", 31}, {6, "%After", 99},
    };
    for (const auto& c : cases) {
        Answer answer = askByIndex(teds, kTable, c.position);
        EXPECT_EQ(answer.result, 1) << c.position;
        EXPECT_EQ(answer.name, c.name) << c.position;
        EXPECT_EQ(answer.type, VT_UI4) << c.position;
        EXPECT_EQ(answer.value.ulVal, c.value) << c.position;
    }
    EXPECT_EQ(askByIndex(teds, kTable, 7).result, 0);
}

TEST_F(PropertyQuery, SelectCaseMarkerIsPassedOverByPosition) {
    EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(teds, kOtherMaker), 1);
    Answer high = askByIndex(teds, kOtherMaker, 0);
    EXPECT_EQ(high.name, "%High");
    EXPECT_EQ(high.value.ulVal, 0xABCu);
    EXPECT_EQ(MirxTEDS_HasProperty(teds, kOtherMaker, "%Low"), 0);
}

TEST_F(PropertyQuery, NamesAreFoundExactlyWithTheirOccurrences) {
    const struct {
        std::uint32_t templateIndex;
        const char* name;
        std::int32_t count;
    } cases[] = {
        {kTable, "%X", 3},
        {kTable, "%After", 1},
        {kTable, "Points", 0},   // the array itself is never matched
        {kTable, "%x", 0},       // case matters
        {kTable, "%After ", 0},  // so does a trailing blank
        {kTable, "", 0},
        {kEveryKind, "%Count", 1},
        {kEveryKind, "%X", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MirxTEDS_GetPropertyCount(teds, c.templateIndex, c.name), c.count) << c.name;
        EXPECT_EQ(MirxTEDS_HasProperty(teds, c.templateIndex, c.name), c.count > 0 ? 1 : 0) << c.name;
    }

    for (std::uint32_t occurrence = 0; occurrence < 3; ++occurrence) {
        OwnedVariant value;
        OwnedBstr unit("stale");
        EXPECT_EQ(MirxTEDS_GetPropertyValue(teds, kTable, "%Y", occurrence, value.out(), unit.out()), 1);
        EXPECT_EQ(value.value.vt, VT_UI4);
        EXPECT_EQ(value.value.ulVal, 11u + 10u * occurrence);
        EXPECT_EQ(unit.value, nullptr);
    }
}

TEST_F(PropertyQuery, ByNameDeliversValueUnitArrayAndStatus) {
    OwnedVariant value;
    OwnedBstr unit;
    OwnedVariant unitArray;
    std::int32_t status = -7;
    ASSERT_EQ(MirxTEDS_GetPropertyValueEx(teds, kEveryKind, "%Temp", 0, value.out(), unit.out(),
                                          unitArray.out(), &status),
              1);
    EXPECT_EQ(value.value.vt, VT_R8);
    EXPECT_EQ(value.value.dblVal, 1.5);
    EXPECT_EQ(byteText(unit.value), "(K) + -273.150000");
    EXPECT_EQ(arrayOfDoubles(unitArray.value), kCelsiusArray);
    EXPECT_EQ(status, 0);

    // The same variables again: the earlier array and text are released.
    ASSERT_EQ(MirxTEDS_GetPropertyValueEx(teds, kEveryKind, "%Pol", 0, value.out(), unit.out(),
                                          unitArray.out(), &status),
              1);
    EXPECT_EQ(value.value.vt, VT_UI4);
    EXPECT_EQ(byteText(unit.value), "enum Polarity");
    EXPECT_EQ(unitArray.value.vt, VT_EMPTY);
}

TEST_F(PropertyQuery, PlainAndExtendedQueriesAgreeWithoutTheExtraOutputs) {
    for (std::int32_t position = 0; position < 9; ++position) {
        OwnedBstr plainName, plainUnit, exName, exUnit;
        OwnedVariant plainValue, exValue;
        EXPECT_EQ(MirxTEDS_GetPropertyByIdx(teds, kEveryKind, position, plainName.out(), plainValue.out(),
                                            plainUnit.out()),
                  1);
        EXPECT_EQ(MirxTEDS_GetPropertyByIdxEx(teds, kEveryKind, position, exName.out(), exValue.out(),
                                              exUnit.out(), nullptr, nullptr),
                  1);
        EXPECT_EQ(byteText(plainName.value), byteText(exName.value)) << position;
        EXPECT_EQ(byteText(plainUnit.value), byteText(exUnit.value)) << position;
        EXPECT_EQ(describe(plainValue.value), describe(exValue.value)) << position;
    }
}

TEST_F(PropertyQuery, ReusedVariablesHoldOnlyTheLatestAnswer) {
    // A caller reading every property into the same variables; run under a
    // leak checker, this shows that each query frees what the last one left.
    OwnedBstr name, unit;
    OwnedVariant value, unitArray;
    std::int32_t status = 0;
    for (int round = 0; round < 3; ++round) {
        for (std::int32_t position = 0; position < 9; ++position) {
            ASSERT_EQ(MirxTEDS_GetPropertyByIdxEx(teds, kEveryKind, position, name.out(), value.out(), unit.out(),
                                                  unitArray.out(), &status),
                      1);
        }
    }
    EXPECT_EQ(byteText(name.value), "%Wide");
    EXPECT_EQ(value.value.vt, VT_BSTR);
    EXPECT_EQ(unit.value, nullptr);
}

TEST_F(PropertyQuery, NullOutputsAreSkipped) {
    EXPECT_EQ(MirxTEDS_GetPropertyByIdxEx(teds, kEveryKind, 0, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(MirxTEDS_GetPropertyValueEx(teds, kEveryKind, "%Wide", 0, nullptr, nullptr, nullptr, nullptr), 1);
    OwnedVariant value;
    EXPECT_EQ(MirxTEDS_GetPropertyByIdx(teds, kEveryKind, 5, nullptr, value.out(), nullptr), 1);
    EXPECT_EQ(value.value.vt, VT_R8);
}

// Failure outputs: the texts released and null, everything else untouched.
struct FailureCase {
    const char* what;
    bool nullHandle;
    std::uint32_t templateIndex;
    std::int32_t position;      // for the queries by position
    const char* name;           // for the queries by name
    std::uint32_t occurrence;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.what;
}

class QueryFailure : public PropertyQuery, public ::testing::WithParamInterface<FailureCase> {
protected:
    void expectUntouched(const VARIANT& value, const VARIANT& unitArray, std::int32_t status) {
        EXPECT_EQ(value.vt, VT_I4);
        EXPECT_EQ(value.lVal, 4242);
        EXPECT_EQ(unitArray.vt, VT_I4);
        EXPECT_EQ(unitArray.lVal, 4343);
        EXPECT_EQ(status, -7);
    }
    static void prime(OwnedVariant& value, OwnedVariant& unitArray) {
        value.value.vt = VT_I4;
        value.value.lVal = 4242;
        unitArray.value.vt = VT_I4;
        unitArray.value.lVal = 4343;
    }
};

TEST_P(QueryFailure, ByPositionReleasesNameAndUnit) {
    const FailureCase& c = GetParam();
    DecodedTeds handle = c.nullHandle ? nullptr : teds;
    OwnedBstr name("stale name"), unit("stale unit");
    OwnedVariant value, unitArray;
    prime(value, unitArray);
    std::int32_t status = -7;
    EXPECT_EQ(MirxTEDS_GetPropertyByIdxEx(handle, c.templateIndex, c.position, name.out(), value.out(), unit.out(),
                                          unitArray.out(), &status),
              0);
    EXPECT_EQ(name.value, nullptr);
    EXPECT_EQ(unit.value, nullptr);
    expectUntouched(value.value, unitArray.value, status);

    OwnedBstr plainName("stale"), plainUnit("stale");
    EXPECT_EQ(MirxTEDS_GetPropertyByIdx(handle, c.templateIndex, c.position, plainName.out(), value.out(),
                                        plainUnit.out()),
              0);
    EXPECT_EQ(plainName.value, nullptr);
    EXPECT_EQ(plainUnit.value, nullptr);
    expectUntouched(value.value, unitArray.value, status);
}

TEST_P(QueryFailure, ByNameReleasesUnit) {
    const FailureCase& c = GetParam();
    DecodedTeds handle = c.nullHandle ? nullptr : teds;
    OwnedBstr unit("stale unit");
    OwnedVariant value, unitArray;
    prime(value, unitArray);
    std::int32_t status = -7;
    EXPECT_EQ(MirxTEDS_GetPropertyValueEx(handle, c.templateIndex, c.name, c.occurrence, value.out(), unit.out(),
                                          unitArray.out(), &status),
              0);
    EXPECT_EQ(unit.value, nullptr);
    expectUntouched(value.value, unitArray.value, status);

    OwnedBstr plainUnit("stale");
    EXPECT_EQ(MirxTEDS_GetPropertyValue(handle, c.templateIndex, c.name, c.occurrence, value.out(),
                                        plainUnit.out()),
              0);
    EXPECT_EQ(plainUnit.value, nullptr);
    expectUntouched(value.value, unitArray.value, status);
}

// Every row would succeed but for the one thing it names.
INSTANTIATE_TEST_SUITE_P(
    Failures, QueryFailure,
    ::testing::Values(FailureCase{"null handle", true, 0, 0, "%Count", 0},
                      FailureCase{"template index equal to the count", false, 3, 0, "%Count", 0},
                      FailureCase{"template index 0xFFFFFFFF", false, 0xFFFFFFFFu, 0, "%Count", 0},
                      FailureCase{"position equal to the count", false, 0, 9, "%Count", 1},
                      FailureCase{"negative position", false, 0, -1, "%Count", 0xFFFFFFFFu},
                      FailureCase{"unknown name", false, 0, 9, "%Nothing", 0},
                      FailureCase{"null name", false, 0, 9, nullptr, 0},
                      FailureCase{"occurrence past the last match", false, 1, 7, "%X", 3}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

TEST_F(PropertyQuery, CountsFailOnBadHandleOrIndex) {
    EXPECT_EQ(MirxTEDS_GetPropertyCount(nullptr, 0, "%Count"), 0);
    EXPECT_EQ(MirxTEDS_GetPropertyCount(teds, 3, "%Count"), 0);
    EXPECT_EQ(MirxTEDS_GetPropertyCount(teds, 0xFFFFFFFFu, "%Count"), 0);
    EXPECT_EQ(MirxTEDS_GetPropertyCount(teds, 0, nullptr), 0);
    EXPECT_EQ(MirxTEDS_HasProperty(nullptr, 0, "%Count"), 0);
}

}  // namespace
}  // namespace teds::test
