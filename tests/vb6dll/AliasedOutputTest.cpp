// A VB6 caller may pass one variable ByRef for two outputs of a query. The
// variable must be released once, end with the output written later, and
// leak nothing (the leak checker of the sanitizer build watches this).

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"

namespace teds::test {
namespace {

// A text value with a unit: the one case where the value variable holds
// memory when the unit array is written into the same variable.
const char kTextWithUnitTdl[] = R"(TEMPLATE 0, 8, 41, "Text with a unit"
PHYSICAL_UNIT Volt, 0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0
%Label, "Label", ID, 15, CHR5, "", "Volt"
ENDTEMPLATE
)";

const std::vector<double> kVoltArray = {0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0};

enum class Query { ByIndexEx, ByNameEx, ByIndex, ByIndexMissing };

TEST(AliasedOutputs, OneVariableForTwoOutputsEndsWithTheLaterAndLeaksNothing) {
    Session session;
    ASSERT_EQ(session.load(kTextWithUnitTdl), 1);
    DecodedTeds teds = session.decode(
        ImageWriter().standardBasicTeds(1, 1, 1, 1, 1).bits(2, 0).bits(8, 41).bits(5, 1).bits(5, 2).bits(5, 3));
    ASSERT_EQ(MirxTEDS_GetTotalPropertyCount(teds, 0), 1);

    const struct {
        const char* what;
        Query query;
        std::int32_t result;
    } cases[] = {
        {"value and unit array, by position", Query::ByIndexEx, 1},
        {"value and unit array, by name", Query::ByNameEx, 1},
        {"name and unit", Query::ByIndex, 1},
        {"both pairs, nothing selected", Query::ByIndexMissing, 0},
    };
    for (const auto& c : cases) {
        OwnedVariant shared;
        OwnedBstr text("old");
        OwnedVariant value;
        // Twice, so that the second call also releases what the first left.
        for (int round = 0; round < 2; ++round) {
            std::int32_t result = -1;
            switch (c.query) {
            case Query::ByIndexEx:
                result = MirxTEDS_GetPropertyByIdxEx(teds, 0, 0, text.out(), shared.out(), nullptr, shared.out(),
                                                     nullptr);
                break;
            case Query::ByNameEx:
                result = MirxTEDS_GetPropertyValueEx(teds, 0, "%Label", 0, shared.out(), nullptr, shared.out(),
                                                     nullptr);
                break;
            case Query::ByIndex:
                result = MirxTEDS_GetPropertyByIdx(teds, 0, 0, text.out(), value.out(), text.out());
                break;
            case Query::ByIndexMissing:
                result = MirxTEDS_GetPropertyByIdxEx(teds, 0, 5, text.out(), shared.out(), text.out(), shared.out(),
                                                     nullptr);
                break;
            }
            EXPECT_EQ(result, c.result) << c.what;
            switch (c.query) {
            case Query::ByIndexEx:
            case Query::ByNameEx:
                EXPECT_EQ(arrayOfDoubles(shared.value), kVoltArray) << c.what;
                break;
            case Query::ByIndex:
                EXPECT_EQ(byteText(text.value), "%Label") << c.what;
                EXPECT_EQ(value.value.vt, VT_BSTR) << c.what;
                break;
            case Query::ByIndexMissing:
                EXPECT_EQ(text.value, nullptr) << c.what;
                EXPECT_EQ(shared.value.vt, VT_EMPTY) << c.what;
                break;
            }
        }
    }
}

}  // namespace
}  // namespace teds::test
