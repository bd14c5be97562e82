#include "TextOutput.hpp"

namespace teds::vb6dll {

void releaseText(BSTR* out) {
    if (!out) return;
    SysFreeString(*out);
    *out = nullptr;
}

void writeByteText(BSTR* out, std::string_view text) {
    if (!out) return;
    releaseText(out);
    if (text.empty()) return;
    *out = SysAllocStringByteLen(text.data(), static_cast<unsigned>(text.size()));
}

BSTR makeWideText(std::u16string_view text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<unsigned>(text.size()));
}

}  // namespace teds::vb6dll
