// Version checks, the parser and TEDS handles, the Basic TEDS and the list
// of decoded templates, as a caller sees them through the exports.

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

namespace teds::test {
namespace {

struct BasicFields {
    std::int32_t manufacturer = -1;
    std::int32_t model = -1;
    char letter = '?';
    std::int32_t version = -1;
    std::int32_t serial = -1;
};

BasicFields readBasic(DecodedTeds teds, std::int32_t* result = nullptr) {
    BasicFields fields;
    std::int32_t ok = MirxTEDS_GetBasicTEDS(teds, &fields.manufacturer, &fields.model, &fields.letter,
                                            &fields.version, &fields.serial);
    if (result) *result = ok;
    return fields;
}

TEST(Version, TextIsStaticAndCheckAcceptsUpToOne) {
    const char* first = MirxTEDS_GetVersion();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "0.1");
    EXPECT_EQ(MirxTEDS_GetVersion(), first);

    const struct {
        std::int32_t version;
        std::int32_t accepted;
    } cases[] = {{1, 1}, {0, 1}, {-5, 1}, {INT32_MIN, 1}, {2, 0}, {INT32_MAX, 0}};
    for (const auto& c : cases) EXPECT_EQ(MirxTEDS_CheckVersion(c.version), c.accepted) << c.version;
}

TEST(NullHandles, GiveNeutralResultsAndWriteNothing) {
    MirxTEDS_ParserDestroy(nullptr);
    MirxTEDS_FreeTEDS(nullptr);
    EXPECT_EQ(MirxTEDS_ParseTDLFile(nullptr, "any.tdl"), 0);
    const std::uint8_t image[10] = {1, 2, 3};
    EXPECT_EQ(MirxTEDS_ParseTEDS(nullptr, image, 10), nullptr);

    std::int32_t result = -1;
    BasicFields fields = readBasic(nullptr, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fields.manufacturer, -1);
    EXPECT_EQ(fields.letter, '?');
    EXPECT_EQ(fields.serial, -1);

    EXPECT_EQ(MirxTEDS_GetNumberTemplates(nullptr), 0);
    std::int32_t key = -1;
    std::int32_t id = -1;
    EXPECT_EQ(MirxTEDS_GetTemplateInfo(nullptr, 0, &key, &id), 0);
    EXPECT_EQ(key, -1);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(nullptr, 0), 0);
}

// The one line callers have always had on standard error for a file that
// cannot be opened: the C library's perror line, or "not a regular file".
TEST(ParseTdlFile, WritesOneLineForAFileItCannotOpen) {
    Session session;
    const std::string missing = "/no/such/dir/missing.tdl";
    struct Case {
        std::string path;
        std::string line;
    };
    std::vector<Case> cases = {{missing, missing + ": " + std::strerror(ENOENT) + "\n"}};
#if !defined(_WIN32)
    const std::string folder = ::testing::TempDir();
    cases.push_back({folder, folder + ": not a regular file\n"});
#endif
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MirxTEDS_ParseTDLFile(session.parser(), c.path.c_str()), 0);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.line);
    }
}

TEST(ParseTdlFile, CountsAcceptedTemplatesAndSurvivesAMissingFile) {
    Session session;
    EXPECT_EQ(session.load(kTemplatesTdl), 3);
    EXPECT_EQ(MirxTEDS_ParseTDLFile(session.parser(), "/no/such/dir/missing.tdl"), 0);
    EXPECT_EQ(MirxTEDS_ParseTDLFile(session.parser(), nullptr), 0);
    EXPECT_EQ(session.load("VALIDATION_KEYCODE 1\n"), 0);

    // The templates loaded before the failures still decode.
    DecodedTeds teds = session.decode(chainImage());
    ASSERT_NE(teds, nullptr);
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
}

TEST(ParseTeds, EmptyImagesGiveAHandleWithZeros) {
    Session session;
    ImageWriter image = chainImage();
    const struct {
        const char* what;
        const std::uint8_t* bytes;
        std::int32_t length;
    } cases[] = {
        {"null image", nullptr, 0},
        {"null image with a length", nullptr, 16},
        {"zero length", image.bytes().data(), 0},
        // A negative length is read as nothing, never as a huge unsigned one.
        {"negative length", image.bytes().data(), -1},
        {"most negative length", image.bytes().data(), INT32_MIN},
    };
    for (const auto& c : cases) {
        DecodedTeds teds = MirxTEDS_ParseTEDS(session.parser(), c.bytes, c.length);
        ASSERT_NE(teds, nullptr) << c.what;
        std::int32_t result = 0;
        BasicFields fields = readBasic(teds, &result);
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_EQ(fields.manufacturer, 0) << c.what;
        EXPECT_EQ(fields.model, 0) << c.what;
        EXPECT_EQ(fields.letter, '\0') << c.what;
        EXPECT_EQ(fields.version, 0) << c.what;
        EXPECT_EQ(fields.serial, 0) << c.what;
        EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 0) << c.what;
        MirxTEDS_FreeTEDS(teds);
    }
}

TEST(ParseTeds, ImageBufferIsNotKept) {
    Session session;
    session.load(kTemplatesTdl);
    ImageWriter image = chainImage();
    std::string copy(image.bytes().begin(), image.bytes().end());
    DecodedTeds teds = MirxTEDS_ParseTEDS(session.parser(), reinterpret_cast<const std::uint8_t*>(copy.data()),
                                          static_cast<std::int32_t>(copy.size()));
    std::memset(copy.data(), 0xFF, copy.size());
    copy.clear();
    copy.shrink_to_fit();
    BasicFields fields = readBasic(teds);
    EXPECT_EQ(fields.manufacturer, 77);
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
    MirxTEDS_FreeTEDS(teds);
}

TEST(BasicTeds, BothLayoutsDecodeWithoutAnyTemplateLoaded) {
    Session session;  // nothing loaded: the chain stops at the first template
    const struct {
        const char* what;
        ImageWriter image;
        BasicFields expected;
    } cases[] = {
        {"standard layout, first selector 1",
         ImageWriter().standardBasicTeds(77, 12345, 2, 7, 0xABCDEF).bits(2, 1).bits(6, 3),
         {77, 12345, 'B', 7, 0xABCDEF}},
        {"standard layout, first template ID above 24",
         ImageWriter().standardBasicTeds(16383, 32767, 0, 63, 0xFFFFFF).bits(2, 0).bits(8, 25),
         {16383, 32767, ' ', 63, 0xFFFFFF}},
        {"early layout, first template ID 24 or less",
         ImageWriter().earlyBasicTeds(4095, 65535, 31, 5, 0x1ABCDEF).bits(2, 0).bits(8, 12),
         {4095, 65535, '@', 5, 0x1ABCDEF}},
    };
    for (const auto& c : cases) {
        DecodedTeds teds = session.decode(c.image);
        ASSERT_NE(teds, nullptr) << c.what;
        BasicFields fields = readBasic(teds);
        EXPECT_EQ(fields.manufacturer, c.expected.manufacturer) << c.what;
        EXPECT_EQ(fields.model, c.expected.model) << c.what;
        EXPECT_EQ(fields.letter, c.expected.letter) << c.what;
        EXPECT_EQ(fields.version, c.expected.version) << c.what;
        EXPECT_EQ(fields.serial, c.expected.serial) << c.what;
        EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 0) << c.what;
    }
}

TEST(BasicTeds, NullOutputsAreSkipped) {
    Session session;
    DecodedTeds teds = session.decode(chainImage());
    std::int32_t serial = 0;
    EXPECT_EQ(MirxTEDS_GetBasicTEDS(teds, nullptr, nullptr, nullptr, nullptr, &serial), 1);
    EXPECT_EQ(serial, 0xABCDEF);
}

TEST(TemplateChain, SelectorsDecideWhichTemplatesAreKept) {
    Session session;
    ASSERT_EQ(session.load(kTemplatesTdl), 3);
    DecodedTeds teds = session.decode(chainImage());
    ASSERT_NE(teds, nullptr);
    // Template 40 (selector 0), template 3 (selector 1), a skipped user
    // descriptor, manufacturer 100's template (selector 2), then selector 3.
    ASSERT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
    const struct {
        std::int32_t key, id, properties;
    } expected[] = {{0, 40, 9}, {77, 3, 7}, {100, 9, 1}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        std::int32_t key = -1;
        std::int32_t id = -1;
        EXPECT_EQ(MirxTEDS_GetTemplateInfo(teds, i, &key, &id), 1) << i;
        EXPECT_EQ(key, expected[i].key) << i;
        EXPECT_EQ(id, expected[i].id) << i;
        EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(teds, i), expected[i].properties) << i;
    }
}

TEST(TemplateChain, UnknownManufacturerEndsTheChain) {
    Session session;
    session.load(kTemplatesTdl);
    ImageWriter image;
    image.standardBasicTeds(kChainManufacturer, 1, 1, 1, 1);
    writeEveryKindTemplate(image);
    writeUserDescriptor(image, kUnknownManufacturer);
    writeEveryKindTemplate(image);
    DecodedTeds teds = session.decode(image);
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(teds), 1);
}

TEST(TemplateInfo, IndexAtOrPastTheCountWritesNothing) {
    Session session;
    session.load(kTemplatesTdl);
    DecodedTeds teds = session.decode(chainImage());
    for (std::uint32_t index : {3u, 4u, 0x80000000u, 0xFFFFFFFFu}) {
        std::int32_t key = -1;
        std::int32_t id = -1;
        EXPECT_EQ(MirxTEDS_GetTemplateInfo(teds, index, &key, &id), 0) << index;
        EXPECT_EQ(key, -1) << index;
        EXPECT_EQ(id, -1) << index;
        EXPECT_EQ(MirxTEDS_GetTotalPropertyCount(teds, index), 0) << index;
    }
    EXPECT_EQ(MirxTEDS_GetTemplateInfo(teds, 0, nullptr, nullptr), 1);
}

TEST(Handles, SeveralHandlesOfOneParserAreIndependent) {
    Session session;
    session.load(kTemplatesTdl);
    DecodedTeds full = session.decode(chainImage());
    DecodedTeds bare = session.decode(ImageWriter().standardBasicTeds(5, 6, 7, 8, 9).bits(2, 1));
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(full), 3);
    EXPECT_EQ(MirxTEDS_GetNumberTemplates(bare), 0);
    EXPECT_EQ(readBasic(bare).manufacturer, 5);
    EXPECT_EQ(readBasic(full).manufacturer, 77);
}

}  // namespace
}  // namespace teds::test
