#include "teds/container/HexText.hpp"

namespace teds::container {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool appendHexToken(std::string_view token, std::vector<std::uint8_t>& bytes) {
    if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) token.remove_prefix(2);
    if (token.empty() || token.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < token.size(); i += 2) {
        const int high = hexDigitValue(token[i]);
        const int low = hexDigitValue(token[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

}  // namespace

bool isTextSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

bool isText(std::string_view content) {
    for (char c : content) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte > 0x7E) && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

std::string_view withoutByteOrderMark(std::string_view content) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    return content.substr(0, kUtf8Bom.size()) == kUtf8Bom ? content.substr(kUtf8Bom.size()) : content;
}

std::optional<std::vector<std::uint8_t>> parseHexText(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isTextSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isTextSeparator(text[end])) ++end;
        if (!appendHexToken(text.substr(i, end - i), bytes)) return std::nullopt;
        i = end;
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

std::string formatHexByte(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

bool spellsHexInUpperCase(std::string_view text) {
    bool upper = false;
    for (char c : text) {
        if (c >= 'a' && c <= 'f') return false;
        if (c >= 'A' && c <= 'F') upper = true;
    }
    return upper;
}

std::string writeHexText(const std::vector<std::uint8_t>& bytes, bool upperCase) {
    const char* const digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2 + 1);
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    text += '\n';
    return text;
}

}  // namespace teds::container
