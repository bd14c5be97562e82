#include "teds/container/EditorText.hpp"

#include "teds/container/HexText.hpp"

namespace teds::container {
namespace {

constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Hex and bit texts are ASCII, so each UTF-16 unit must be one; NUL units
// at the end are a terminator, as NUL bytes are in 8-bit text. Anything
// else is no hex or bit text, whatever its encoding: empty.
std::optional<std::string> asciiFromUtf16(std::string_view units, bool bigEndian) {
    if (units.size() % 2 != 0) return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i < units.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(units[i]), second = static_cast<unsigned char>(units[i + 1]);
        const unsigned unit = bigEndian ? first << 8 | second : second << 8 | first;
        if (unit >= 0x80) return std::nullopt;
        text += static_cast<char>(unit);
    }
    while (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.empty() || !isText(text)) return std::nullopt;
    return text;
}

std::optional<std::string> utf16Text(std::string_view content) {
    if (content.substr(0, 2) == kUtf16LittleEndianMark) return asciiFromUtf16(content.substr(2), false);
    if (content.substr(0, 2) == kUtf16BigEndianMark) return asciiFromUtf16(content.substr(2), true);
    // Saved without its mark, as some tools do: every second byte is 0.
    return asciiFromUtf16(content, false);
}

}  // namespace

EditorText editorText(std::string_view content) {
    EditorText result;
    if (auto text = utf16Text(content)) {
        result.text = std::move(*text);
        result.wrapped = true;
        return result;
    }
    const std::string_view text = withoutByteOrderMark(content);
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == '\0') --end;
    // Text followed by NULs, and only then: NULs after binary content are
    // as likely as any other byte of an image.
    result.wrapped = end < text.size() && end > 0 && isText(text.substr(0, end));
    result.text = result.wrapped ? text.substr(0, end) : text;
    return result;
}

}  // namespace teds::container
