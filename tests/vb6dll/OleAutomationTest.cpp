// The OLE Automation functions a caller uses on what the library returns.
// On Windows these run against the system's own, which shows that the
// library's layer for other platforms behaves the same way.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"

namespace teds::test {
namespace {

std::uint32_t lengthPrefix(BSTR text) {
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof bytes, sizeof bytes);
    return bytes;
}

TEST(OleLayout, VariantHoldsTypeAtZeroAndValueAtEight) {
    EXPECT_EQ(offsetof(VARIANT, vt), 0u);
    VARIANT v;
    EXPECT_EQ(reinterpret_cast<char*>(&v.dblVal) - reinterpret_cast<char*>(&v), 8);
    EXPECT_EQ(reinterpret_cast<char*>(&v.ulVal) - reinterpret_cast<char*>(&v), 8);
    EXPECT_EQ(sizeof(VARIANT), sizeof(void*) == 8 ? 24u : 16u);
    EXPECT_EQ(sizeof(v.ulVal), 4u);
    EXPECT_EQ(sizeof(OLECHAR), 2u);
}

TEST(OleBstr, ByteLengthStringKeepsBytesLengthAndTrailingNul) {
    const char text[] = "abcde";
    OwnedBstr odd;
    odd.value = SysAllocStringByteLen(text, 5);
    ASSERT_NE(odd.value, nullptr);
    EXPECT_EQ(lengthPrefix(odd.value), 5u);
    EXPECT_EQ(SysStringByteLen(odd.value), 5u);
    EXPECT_EQ(SysStringLen(odd.value), 2u);  // whole code units only
    const auto* bytes = reinterpret_cast<const unsigned char*>(odd.value);
    EXPECT_EQ(std::memcmp(bytes, text, 5), 0);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[6], 0);

    OwnedBstr even;
    even.value = SysAllocStringByteLen("wxyz", 4);
    ASSERT_NE(even.value, nullptr);
    EXPECT_EQ(SysStringLen(even.value), 2u);
    EXPECT_EQ(even.value[2], 0);  // a 16-bit NUL after the last code unit
}

TEST(OleBstr, NullSourceGivesStringOfRequestedLength) {
    OwnedBstr text;
    text.value = SysAllocStringByteLen(nullptr, 6);
    ASSERT_NE(text.value, nullptr);
    EXPECT_EQ(SysStringByteLen(text.value), 6u);
    EXPECT_EQ(text.value[3], 0);
}

TEST(OleBstr, WideStringCountsCodeUnits) {
    const OLECHAR wide[] = {0x48, 0xE9, 0x20AC};
    OwnedBstr text;
    text.value = SysAllocStringLen(wide, 3);
    ASSERT_NE(text.value, nullptr);
    EXPECT_EQ(SysStringLen(text.value), 3u);
    EXPECT_EQ(lengthPrefix(text.value), 6u);
    EXPECT_EQ(wideText(text.value), u"H\u00E9\u20AC");
    EXPECT_EQ(text.value[3], 0);
}

TEST(OleBstr, ReallocationCopiesFromTheOldStringItself) {
    const OLECHAR wide[] = {'a', 'b', 'c', 'd'};
    OwnedBstr text;
    text.value = SysAllocStringLen(wide, 4);
    ASSERT_NE(text.value, nullptr);
    // The new content lies inside the string being replaced.
    ASSERT_NE(SysReAllocStringLen(&text.value, text.value + 2, 2), 0);
    EXPECT_EQ(wideText(text.value), u"cd");
    ASSERT_NE(SysReAllocStringLen(&text.value, wide, 3), 0);
    EXPECT_EQ(wideText(text.value), u"abc");
}

TEST(OleBstr, NullStringIsEmptyAndFreeingItIsHarmless) {
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
}

TEST(OleVariant, InitEmptiesAndClearReleasesStringsAndArrays) {
    VARIANT v;
    v.vt = VT_I4;
    VariantInit(&v);
    EXPECT_EQ(v.vt, VT_EMPTY);

    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringByteLen("text", 4);
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);

    SAFEARRAYBOUND bound;
    bound.cElements = 3;
    bound.lLbound = 0;
    v.parray = SafeArrayCreate(VT_R8, 1, &bound);
    ASSERT_NE(v.parray, nullptr);
    v.vt = VT_ARRAY | VT_R8;
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);

    v.vt = VT_R8;
    v.dblVal = 2.5;
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(OleSafeArray, OneDimensionReportsBoundsAndElements) {
    SAFEARRAYBOUND bound;
    bound.cElements = 4;
    bound.lLbound = -2;
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 1, &bound);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->cDims, 1);
    EXPECT_EQ(array->cbElements, 8u);
    const double numbers[] = {1.5, -2.0, 3.25, 4.0};
    std::memcpy(array->pvData, numbers, sizeof numbers);

    OleLong lower = 99;
    OleLong upper = 99;
    EXPECT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
    EXPECT_EQ(lower, -2);
    EXPECT_EQ(upper, 1);

    for (OleLong i = -2; i <= 1; ++i) {
        double element = 0;
        EXPECT_EQ(SafeArrayGetElement(array, &i, &element), S_OK);
        EXPECT_EQ(element, numbers[i + 2]);
    }
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(OleSafeArray, OutOfRangeIndexOrDimensionIsRefused) {
    SAFEARRAYBOUND bound;
    bound.cElements = 12;
    bound.lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 1, &bound);
    ASSERT_NE(array, nullptr);
    double element = 7;
    for (OleLong index : {OleLong{-1}, OleLong{12}}) {
        EXPECT_EQ(SafeArrayGetElement(array, &index, &element), static_cast<HRESULT>(DISP_E_BADINDEX)) << index;
    }
    EXPECT_EQ(element, 7);
    OleLong bound2 = 0;
    EXPECT_EQ(SafeArrayGetLBound(array, 0, &bound2), static_cast<HRESULT>(DISP_E_BADINDEX));
    EXPECT_EQ(SafeArrayGetUBound(array, 2, &bound2), static_cast<HRESULT>(DISP_E_BADINDEX));
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
    EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(OleSafeArray, FirstIndexVariesFastestInTwoDimensions) {
    SAFEARRAYBOUND bounds[2];
    bounds[0].cElements = 2;  // first dimension: 1..2
    bounds[0].lLbound = 1;
    bounds[1].cElements = 3;  // second dimension: 0..2
    bounds[1].lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_UI4, 2, bounds);
    ASSERT_NE(array, nullptr);
    auto* cells = static_cast<std::uint32_t*>(array->pvData);
    for (std::uint32_t i = 0; i < 6; ++i) cells[i] = 100 + i;

    OleLong upper = 0;
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
    EXPECT_EQ(upper, 2);
    EXPECT_EQ(SafeArrayGetUBound(array, 2, &upper), S_OK);
    EXPECT_EQ(upper, 2);

    OleLong index[2] = {2, 1};  // second of the first, second of the second
    std::uint32_t element = 0;
    EXPECT_EQ(SafeArrayGetElement(array, index, &element), S_OK);
    EXPECT_EQ(element, 103u);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

}  // namespace
}  // namespace teds::test
