#pragma once
// Writing BSTR text outputs. The caller's variable may hold the string of
// an earlier call; it is released before anything new is stored, so a
// caller that reuses one variable for many queries leaks nothing.

#include <string_view>

#include "Api.hpp"

namespace teds::vb6dll {

// Frees the string in `*out` and leaves the variable null. A null `out`
// means the caller wants no such output.
void releaseText(BSTR* out);

// Replaces `*out` with the bytes of `text`, placed in the string as they
// are (not widened). An empty text leaves the variable null.
void writeByteText(BSTR* out, std::string_view text);
// The same for the two texts one after the other.
void writeByteText(BSTR* out, std::string_view first, std::string_view second);

// A string of UTF-16 code units; null if memory runs out.
BSTR makeWideText(std::u16string_view text);

}  // namespace teds::vb6dll
