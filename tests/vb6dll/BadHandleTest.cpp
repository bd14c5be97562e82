// Handles the library did not issue, or no longer holds, are refused by
// every export before anything is read through them.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

namespace teds::test {
namespace {

struct BadHandle {
    std::string what;
    void* value;
};

// Every export that takes a decoded handle, with outputs that must come
// back as the failure leaves them: texts released, the rest untouched.
void expectTedsRefused(DecodedTeds teds, const std::string& what) {
    std::int32_t fields[4] = {-1, -1, -1, -1};
    char letter = '?';
    EXPECT_EQ(MirxTEDS_GetBasicTEDS(teds, &fields[0], &fields[1], &letter, &fields[2], &fields[3]), 0) << what;
    EXPECT_EQ(fields[0], -1) << what;
    EXPECT_EQ(letter, '?') << what;
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 0) << what;
    std::int32_t key = -1;
    EXPECT_EQ(MirxTEDS_GetTemplateInfo(teds, 0, &key, &fields[0]), 0) << what;
    EXPECT_EQ(key, -1) << what;
    EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(teds, 0), 0) << what;
    EXPECT_EQ(MirxTEDS_GetPropertyCount(teds, 0, "Count"), 0) << what;
    EXPECT_EQ(MirxTEDS_HasProperty(teds, 0, "Count"), 0) << what;

    OwnedBstr name("old");
    OwnedBstr unit("old");
    OwnedVariant value;
    OwnedVariant unitArray;
    std::int32_t status = -1;
    EXPECT_EQ(MirxTEDS_GetPropertyByIdx(teds, 0, 0, name.out(), value.out(), unit.out()), 0) << what;
    EXPECT_EQ(MirxTEDS_GetPropertyByIdxEx(teds, 0, 0, name.out(), value.out(), unit.out(), unitArray.out(), &status),
              0)
        << what;
    EXPECT_EQ(MirxTEDS_GetPropertyValue(teds, 0, "Count", 0, value.out(), unit.out()), 0) << what;
    EXPECT_EQ(MirxTEDS_GetPropertyValueEx(teds, 0, "Count", 0, value.out(), unit.out(), unitArray.out(), &status), 0)
        << what;
    EXPECT_EQ(name.value, nullptr) << what;
    EXPECT_EQ(unit.value, nullptr) << what;
    EXPECT_EQ(value.value.vt, VT_EMPTY) << what;
    EXPECT_EQ(unitArray.value.vt, VT_EMPTY) << what;
    EXPECT_EQ(status, -1) << what;

    std::int32_t kind = -1;
    double numbers[4] = {-1, -1, -1, -1};
    OwnedBstr scaleText("old");
    EXPECT_EQ(MirxTEDS_GetScale(teds, 0, 0, 0, 0, 0, &kind, name.out(), unit.out(), &numbers[0], &numbers[1],
                                scaleText.out()),
              0)
        << what;
    EXPECT_EQ(MirxTEDS_ScaleValue(teds, 0, 0, 0, 0, 0, 0, 1.0, &numbers[2], scaleText.out()), 0) << what;
    EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 0, &numbers[3], &numbers[3], 1), 0) << what;
    EXPECT_EQ(kind, -1) << what;
    for (double number : numbers) EXPECT_EQ(number, -1) << what;
    EXPECT_EQ(scaleText.value, nullptr) << what;
    MirxTEDS_FreeTEDS(teds);
}

void expectParserRefused(TedsParser parser, const std::string& what) {
    TdlFile file(kTemplatesTdl);
    EXPECT_EQ(MirxTEDS_ParseTDLFile(parser, file.path().c_str()), 0) << what;
    const ImageWriter image = chainImage();
    EXPECT_EQ(MirxTEDS_ParseTEDS(parser, image.bytes().data(), image.length()), nullptr) << what;
    MirxTEDS_ParserDestroy(parser);
}

TEST(BadHandles, EveryExportRefusesThemAndTheLiveOnesStillWork) {
    Session live;
    ASSERT_EQ(live.load(kTemplatesTdl), 3);
    DecodedTeds liveTeds = live.decode(chainImage());

    TedsParser parser = MirxTEDS_ParserCreate();
    DecodedTeds freed = MirxTEDS_ParseTEDS(parser, chainImage().bytes().data(), chainImage().length());
    DecodedTeds freedTwice = MirxTEDS_ParseTEDS(parser, chainImage().bytes().data(), chainImage().length());
    DecodedTeds orphan = MirxTEDS_ParseTEDS(parser, chainImage().bytes().data(), chainImage().length());
    ASSERT_NE(orphan, nullptr);
    MirxTEDS_FreeTEDS(freed);
    MirxTEDS_FreeTEDS(freedTwice);
    MirxTEDS_FreeTEDS(freedTwice);
    // Destroying the parser releases `orphan` with it.
    MirxTEDS_ParserDestroy(parser);
    // Handles issued later must not bring the released values back to life.
    live.decode(chainImage());

    int local = 0;
    const std::vector<BadHandle> common = {
        {"null", nullptr},
        {"address of a local", &local},
        {"a made-up number", reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x12345678))},
        {"a destroyed parser", parser},
    };
    for (const BadHandle& bad : common) expectTedsRefused(static_cast<DecodedTeds>(bad.value), bad.what);
    expectTedsRefused(freed, "freed");
    expectTedsRefused(freedTwice, "freed twice");
    expectTedsRefused(orphan, "decoded by a destroyed parser");
    expectTedsRefused(reinterpret_cast<DecodedTeds>(live.parser()), "a live parser");

    for (const BadHandle& bad : common) expectParserRefused(static_cast<TedsParser>(bad.value), bad.what);
    expectParserRefused(reinterpret_cast<TedsParser>(liveTeds), "a live decoded handle");

    // Where handles are 64 bits wide, a live handle with a bit set above the
    // 32 of an id is another value, not that handle.
    if (sizeof(void*) > 4) {
        const auto widened = [](void* handle) {
            return reinterpret_cast<void*>(
                static_cast<std::uintptr_t>(reinterpret_cast<std::uintptr_t>(handle) | (std::uint64_t{1} << 32)));
        };
        expectTedsRefused(static_cast<DecodedTeds>(widened(liveTeds)), "a live handle with bit 32 set");
        expectParserRefused(static_cast<TedsParser>(widened(live.parser())), "a live parser with bit 32 set");
    }

    // Nothing above released the live handles given as the other kind.
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(liveTeds), 3);
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(live.decode(chainImage())), 3);
}

}  // namespace
}  // namespace teds::test
