#include <gtest/gtest.h>

#include "teds/tdl/TokenTexts.hpp"

namespace teds::tdl {
namespace {

TEST(TokenTexts, TextsAfterAReleaseKeepTheirRefs) {
    TokenTexts texts;
    texts.add("TEMPLATE");
    const TextRef early = texts.add(std::string(100000, 'x'));
    const std::size_t mark = texts.end();
    const TextRef kept = texts.add("next");
    texts.releaseBefore(mark);
    const TextRef later = texts.add("later");
    EXPECT_EQ(texts.view(kept), "next");
    EXPECT_EQ(texts.view(later), "later");
    EXPECT_EQ(texts.view(TextRef{0, 0}), "");
    EXPECT_GT(later.offset, early.offset);
    // Releasing again before the same mark, or an earlier one, changes nothing.
    texts.releaseBefore(mark);
    texts.releaseBefore(0);
    EXPECT_EQ(texts.view(kept), "next");
}

}  // namespace
}  // namespace teds::tdl
