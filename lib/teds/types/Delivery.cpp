#include "teds/types/Delivery.hpp"

#include <boost/locale/encoding_utf.hpp>

namespace teds::types {

std::u16string utf8ToUtf16(std::string_view utf8) {
    // Texts hold whatever bytes the image had; a caller gets every valid
    // character rather than an error for the first bad byte.
    return boost::locale::conv::utf_to_utf<char16_t>(utf8.data(), utf8.data() + utf8.size(),
                                                      boost::locale::conv::skip);
}

}  // namespace teds::types
