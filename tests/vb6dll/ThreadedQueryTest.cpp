// Several threads decode and query with one parser whose templates no
// longer change; each must see exactly what a single thread sees.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "CallerSupport.hpp"
#include "TestTemplates.hpp"

namespace teds::test {
namespace {

// Everything a caller can read by position from one image, as text.
std::vector<std::string> readEverything(TedsParser parser, const ImageWriter& image) {
    std::vector<std::string> seen;
    DecodedTeds teds = MirxTEDS_ParseTEDS(parser, image.bytes().data(), image.length());
    const std::int32_t templates = MirxTEDS_GetNumberTemplates(teds);
    for (std::int32_t t = 0; t < templates; ++t) {
        const auto index = static_cast<std::uint32_t>(t);
        const std::int32_t count = MirxTEDS_GetTotalPropertyCount(teds, index);
        for (std::int32_t i = 0; i < count; ++i) {
            OwnedBstr name, unit;
            OwnedVariant value;
            if (!MirxTEDS_GetPropertyByIdx(teds, index, i, name.out(), value.out(), unit.out())) {
                seen.push_back("missing");
                continue;
            }
            const std::string text = byteText(name.value);
            OwnedBstr unitByName;
            OwnedVariant byName;
            const bool found = MirxTEDS_GetPropertyValue(teds, index, text.c_str(), 0, byName.out(), unitByName.out());
            seen.push_back(text + "|" + std::to_string(value.value.vt) + "|" + byteText(unit.value) + "|" +
                           std::to_string(found) + "|" + std::to_string(byName.value.vt));
        }
    }
    MirxTEDS_FreeTEDS(teds);
    return seen;
}

TEST(ThreadedQueryTest, ThreadsDecodingWithOneParserSeeWhatOneThreadSees) {
    Session session;
    ASSERT_GT(session.load(kTemplatesTdl), 0);
    const ImageWriter image = chainImage();
    const std::vector<std::string> expected = readEverything(session.parser(), image);
    ASSERT_GT(expected.size(), 5u);

    constexpr int kThreads = 4;
    constexpr int kRounds = 200;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round)
                if (readEverything(session.parser(), image) != expected) ++mismatches[t];
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace teds::test
