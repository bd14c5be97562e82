// Output variables as a Visual Basic program passes them: String and Variant
// variables that already hold something from earlier work, never cleared
// before the call. Whatever they hold is released and replaced.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

#include <psapi.h>  // after <windows.h>, which the header above brings

namespace teds::test {
namespace {

const char kVoltText[] = "(m2*kg*s-3*A-1)";

// A string as Visual Basic hands a ByRef String to a Declare: converted to
// a BSTR holding single-byte text.
BSTR heldText(std::size_t bytes) {
    const std::string text(bytes, 'x');
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

// A Variant holding a string; the wide text of `units` code units.
void holdWideText(VARIANT& variant, std::size_t units) {
    const std::wstring text(units, L'y');
    variant.vt = VT_BSTR;
    variant.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// A Variant holding a Double array, as a unit array from an earlier call does.
void holdArray(VARIANT& variant, ULONG elements) {
    SAFEARRAYBOUND bound{elements, 0};
    variant.vt = VT_ARRAY | VT_R8;
    variant.parray = SafeArrayCreate(VT_R8, 1, &bound);
}

std::optional<std::uint64_t> committedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return std::nullopt;
    return counters.PagefileUsage;
}

class VisualBasicVariables : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(session.load(kTemplatesTdl), 3);
        teds = session.decode(chainImage());
        ASSERT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
    }

    Session session;
    DecodedTeds teds = nullptr;
};

TEST_F(VisualBasicVariables, WhateverTheyHoldIsReplaced) {
    // What a variable may hold before the call: vbNullString, "" (a string
    // of no characters, but a string), a short text, a long one.
    const struct {
        const char* what;
        BSTR (*make)();
    } held[] = {
        {"null", [] { return BSTR{}; }},
        {"empty string", [] { return heldText(0); }},
        {"short text", [] { return heldText(3); }},
        {"long text", [] { return heldText(100000); }},
    };
    for (const auto& h : held) {
        OwnedBstr name, unit;
        name.value = h.make();
        unit.value = h.make();
        OwnedVariant value, unitArray;
        holdWideText(value.value, 50);
        holdArray(unitArray.value, 3);
        std::int32_t status = 99;
        ASSERT_EQ(MirxTEDS_GetPropertyByIdxEx(teds, 0, 0, name.out(), value.out(), unit.out(), unitArray.out(),
                                              &status),
                  1)
            << h.what;
        EXPECT_EQ(byteText(name.value), "%Count") << h.what;
        EXPECT_EQ(byteText(unit.value), kVoltText) << h.what;
        EXPECT_EQ(value.value.vt, VT_UI4) << h.what;
        EXPECT_EQ(value.value.ulVal, 200u) << h.what;
        EXPECT_EQ(arrayOfDoubles(unitArray.value).size(), 12u) << h.what;
        EXPECT_EQ(status, 0) << h.what;

        // A failed query empties the texts whatever they held.
        OwnedBstr failedName, failedUnit;
        failedName.value = h.make();
        failedUnit.value = h.make();
        EXPECT_EQ(MirxTEDS_GetPropertyByIdx(teds, 0, 99, failedName.out(), value.out(), failedUnit.out()), 0);
        EXPECT_EQ(failedName.value, nullptr) << h.what;
        EXPECT_EQ(failedUnit.value, nullptr) << h.what;
    }
}

TEST_F(VisualBasicVariables, WhatTheyHeldIsReleased) {
    // Each round hands over 24 KB that only the library can release; kept,
    // it would add up to half a gigabyte.
    constexpr int kRounds = 20000;
    const auto round = [this](std::int32_t position) {
        BSTR name = heldText(4096);
        BSTR unit = heldText(4096);
        VARIANT value;
        VariantInit(&value);
        holdWideText(value, 2048);
        VARIANT unitArray;
        VariantInit(&unitArray);
        holdArray(unitArray, 1024);
        MirxTEDS_GetPropertyByIdxEx(teds, 0, position, &name, &value, &unit, &unitArray, nullptr);
        // The caller releases only what the call left behind.
        SysFreeString(name);
        SysFreeString(unit);
        VariantClear(&value);
        VariantClear(&unitArray);
    };
    for (int i = 0; i < 200; ++i) round(i % 9);  // let the heap settle
    const std::optional<std::uint64_t> before = committedBytes();
    ASSERT_TRUE(before.has_value());
    for (int i = 0; i < kRounds; ++i) round(i % 10);  // position 9 fails: texts emptied, values kept
    const std::optional<std::uint64_t> after = committedBytes();
    ASSERT_TRUE(after.has_value());
    const std::uint64_t growth = *after > *before ? *after - *before : 0;
    EXPECT_LT(growth, 16u * 1024u * 1024u) << "before " << *before << " after " << *after;
}

}  // namespace
}  // namespace teds::test
