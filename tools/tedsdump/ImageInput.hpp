#pragma once
// Reads a TEDS image given either as raw bytes or as hexadecimal text, and
// tells the two apart by content.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tedsdump {

// A TEDS memory holds a few hundred bytes at most; anything near this size
// is some other file, and a stream without end (a device, a pipe left open)
// must not be read forever.
inline constexpr std::size_t kMaxInputBytes = std::size_t{1} << 20;
// The Basic TEDS alone takes 64 bits.
inline constexpr std::size_t kBasicTedsBytes = 8;

struct ImageOrError {
    std::vector<std::uint8_t> bytes;
    std::string error;  // empty on success; says what is wrong, without the source name

    bool ok() const { return error.empty(); }
};

// Reads `in` to its end (at most kMaxInputBytes) and interprets the content.
ImageOrError readImage(std::istream& in);

// Hexadecimal text becomes its bytes; content that is not text is taken as
// the raw image; text that is not hexadecimal is an error.
ImageOrError imageFromContent(std::string_view content);

// True when every byte is printable ASCII, a blank, a tab or a line break.
bool isText(std::string_view content);

// Pairs of hex digits in tokens separated by blanks, tabs, commas or line
// breaks, each token optionally prefixed "0x". Empty when the text is not of
// that form or holds no digits at all.
std::optional<std::vector<std::uint8_t>> parseHexText(std::string_view text);

}  // namespace tedsdump
