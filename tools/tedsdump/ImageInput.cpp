#include "ImageInput.hpp"

#include <cerrno>
#include <cstring>

namespace tedsdump {
namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

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

bool isText(std::string_view content) {
    for (char c : content) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte > 0x7E) && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> parseHexText(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end])) ++end;
        if (!appendHexToken(text.substr(i, end - i), bytes)) return std::nullopt;
        i = end;
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

ImageOrError imageFromContent(std::string_view content) {
    ImageOrError result;
    if (content.empty()) {
        result.error = "is empty";
        return result;
    }
    if (content.size() > kMaxInputBytes) {
        result.error = "is larger than " + std::to_string(kMaxInputBytes) + " bytes, far more than any TEDS memory";
        return result;
    }
    // An image is binary data; a text file is only an image when it spells
    // one out in hexadecimal. Windows editors start UTF-8 text with a byte
    // order mark, which would otherwise make it look binary.
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    const std::string_view text =
        content.substr(0, kUtf8Bom.size()) == kUtf8Bom ? content.substr(kUtf8Bom.size()) : content;
    if (isText(text)) {
        auto parsed = parseHexText(text);
        if (!parsed) {
            result.error = "is neither hexadecimal text (pairs of hex digits) nor a binary TEDS image";
            return result;
        }
        result.bytes = std::move(*parsed);
    } else {
        result.bytes.assign(content.begin(), content.end());
    }
    if (result.bytes.size() < kBasicTedsBytes) {
        result.error = "holds " + std::to_string(result.bytes.size()) +
                       (result.bytes.size() == 1 ? " byte" : " bytes") +
                       ", too few for a TEDS image: the Basic TEDS alone takes 8";
        result.bytes.clear();
    }
    return result;
}

ImageOrError readImage(std::istream& in) {
    std::string content;
    char buffer[4096];
    // One block past the limit is enough to know the input is too large.
    while (content.size() <= kMaxInputBytes) {
        in.read(buffer, sizeof buffer);
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (in.bad()) {
        ImageOrError result;
        result.error = std::string("cannot be read: ") + std::strerror(errno);
        return result;
    }
    return imageFromContent(content);
}

}  // namespace tedsdump
