#include "teds/vb6dll/Utf16Text.hpp"

#include <string>

#include <gtest/gtest.h>

namespace teds::vb6dll {
namespace {

TEST(Utf8ToUtf16, ConvertsValidText) {
    EXPECT_EQ(utf8ToUtf16(""), u"");
    EXPECT_EQ(utf8ToUtf16("Temp, C"), u"Temp, C");
    EXPECT_EQ(utf8ToUtf16("\xC3\xA9\xE2\x82\xAC"), u"\u00E9\u20AC");
    // Outside the 16-bit range: a surrogate pair.
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, DropsWhatIsNotUtf8AndKeepsTheRest) {
    const struct {
        const char* what;
        std::string in;
        std::u16string out;
    } cases[] = {
        {"stray byte", "a\xFF" "b", u"ab"},
        {"lone continuation byte", "a\x80" "b", u"ab"},
        {"sequence cut by the end", "a\xE2\x82", u"a"},
        {"overlong form", "\xC0\xAF" "x", u"x"},
        // A 16-bit surrogate decoded on its own takes this form; it is not
        // a character, so it does not reach the caller.
        {"encoded surrogate", "\xED\xA0\xBD" "z", u"z"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToUtf16(c.in), c.out) << c.what;
}

}  // namespace
}  // namespace teds::vb6dll
