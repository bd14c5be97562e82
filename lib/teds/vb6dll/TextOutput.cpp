#include "TextOutput.hpp"

#include <cstring>

namespace teds::vb6dll {

void releaseText(BSTR* out) {
    if (!out) return;
    SysFreeString(*out);
    *out = nullptr;
}

void writeByteText(BSTR* out, std::string_view text) { writeByteText(out, text, {}); }

void writeByteText(BSTR* out, std::string_view first, std::string_view second) {
    if (!out) return;
    releaseText(out);
    const std::size_t size = first.size() + second.size();
    if (size == 0) return;
    // Allocated without content, then filled: no joined copy in between.
    *out = SysAllocStringByteLen(nullptr, static_cast<unsigned>(size));
    if (!*out) return;
    char* bytes = reinterpret_cast<char*>(*out);
    // An empty view may carry a null pointer, which memcpy must not see.
    if (!first.empty()) std::memcpy(bytes, first.data(), first.size());
    if (!second.empty()) std::memcpy(bytes + first.size(), second.data(), second.size());
}

BSTR makeWideText(std::u16string_view text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<unsigned>(text.size()));
}

}  // namespace teds::vb6dll
