#pragma once
// Texts leave the library as BSTRs of UTF-16 code units.

#include <string>
#include <string_view>

#include <boost/locale/encoding_utf.hpp>

namespace teds::vb6dll {

// UTF-8 to UTF-16; byte sequences that are not valid UTF-8 are dropped.
inline std::u16string utf8ToUtf16(std::string_view utf8) {
    // Texts hold whatever bytes the image had; a caller gets every valid
    // character rather than an error for the first bad byte.
    return boost::locale::conv::utf_to_utf<char16_t>(utf8.data(), utf8.data() + utf8.size(),
                                                      boost::locale::conv::skip);
}

}  // namespace teds::vb6dll
