// A handle freed after decoding gives back everything the decode took.

#include <cstdint>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

#if defined(_WIN32)
#include <psapi.h>
#endif

namespace teds::test {
namespace {

// Memory the process holds, in bytes; empty where it cannot be read.
std::optional<std::uint64_t> processMemory() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return std::nullopt;
    return counters.PagefileUsage;
#else
    // Second field of statm: resident pages.
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    if (!(statm >> size >> resident)) return std::nullopt;
    return resident * 4096;
#endif
}

void decodeAndFree(TedsParser parser, const ImageWriter& image, int cycles) {
    for (int i = 0; i < cycles; ++i) {
        DecodedTeds teds = MirxTEDS_ParseTEDS(parser, image.bytes().data(), image.length());
        ASSERT_NE(teds, nullptr);
        ASSERT_EQ(MirxTEDS_GetNumberTemplates(teds), 3);
        MirxTEDS_FreeTEDS(teds);
    }
}

TEST(Memory, HundredThousandDecodeFreeCyclesStayFlat) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine; its leak checker covers this build";
#endif
    Session session;
    ASSERT_EQ(session.load(kTemplatesTdl), 3);
    const ImageWriter image = chainImage();

    // Let the allocator settle before measuring.
    decodeAndFree(session.parser(), image, 1000);
    const std::optional<std::uint64_t> before = processMemory();
    if (!before) GTEST_SKIP() << "process memory cannot be read here";
    decodeAndFree(session.parser(), image, 100000);
    const std::optional<std::uint64_t> after = processMemory();
    ASSERT_TRUE(after.has_value());

    // A leak of even 16 bytes a cycle would add 1.6 MB.
    const std::uint64_t growth = *after > *before ? *after - *before : 0;
    EXPECT_LT(growth, 512u * 1024u) << "before " << *before << " after " << *after;
}

}  // namespace
}  // namespace teds::test
