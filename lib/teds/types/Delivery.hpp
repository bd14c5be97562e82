#pragma once
// Conversions applied when a value leaves the library.

#include <string>
#include <string_view>

namespace teds::types {

// UTF-8 to UTF-16; byte sequences that are not valid UTF-8 are dropped.
std::u16string utf8ToUtf16(std::string_view utf8);

}  // namespace teds::types
