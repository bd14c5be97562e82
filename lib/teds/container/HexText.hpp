#pragma once
// Image bytes as hexadecimal text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teds::container {

// True when every byte is printable ASCII, a blank, a tab or a line break.
bool isText(std::string_view content);

// `content` without a leading UTF-8 byte order mark, which Windows editors
// put before text.
std::string_view withoutByteOrderMark(std::string_view content);

// True for the characters that may separate hex tokens or bits.
bool isTextSeparator(char c);

// Pairs of hex digits in tokens separated by blanks, tabs, commas or line
// breaks, each token optionally prefixed "0x". Empty when the text is not of
// that form or holds no digits at all.
std::optional<std::vector<std::uint8_t>> parseHexText(std::string_view text);

// True when the text has a hex digit A to F in upper case and none in lower
// case; text without such digits, or with both cases, counts as lower case.
bool spellsHexInUpperCase(std::string_view text);

// Two digits a byte, run together on one line, as the published hex files of
// virtual TEDS images have them (in lower case) and printed memory dumps
// often do (in upper case).
std::string writeHexText(const std::vector<std::uint8_t>& bytes, bool upperCase = false);

// "0x41": a byte as messages name it.
std::string formatHexByte(std::uint8_t byte);

}  // namespace teds::container
