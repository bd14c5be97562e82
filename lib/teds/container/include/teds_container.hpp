#pragma once
// The ways a TEDS image is stored outside a sensor, and the image bytes
// they hold. Reading turns a container into the image; writing turns an
// image into a container. Nothing here knows what the image says.
//
// Formats:
//   raw     the image bytes themselves
//   hex     the image bytes as hexadecimal text, pairs of digits, optionally
//           separated by blanks, tabs, commas or line breaks and prefixed 0x;
//           written as one line, in lower or upper case as asked
//   ted     a virtual TEDS file: 40 bytes, one 0 or 1 per bit, spelling
//           "[v03]" least significant bit first, then one byte 0 or 1 per
//           image bit in reading order (bit 0 of byte 0 first)
//   eeprom  a 1-Wire EEPROM memory dump in 32-byte pages, each opened by a
//           checksum byte that makes the page's sum 0 modulo 256; given and
//           written as raw bytes or as hexadecimal text
//   bits    text of one 0 or 1 per image bit in reading order, optionally
//           separated by blanks, tabs, commas or line breaks
//
// Errors are values: a result whose `error` is not empty holds no image.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teds::container {

enum class Format : std::uint8_t { Raw, Hex, Ted, Eeprom, Bits };

// "raw", "hex", "ted", "eeprom", "bits".
std::string_view formatName(Format format);
std::optional<Format> formatFromName(std::string_view name);

// An image is whole bytes; `bitCount` says how many of their bits the
// container held. A virtual TEDS file or a bit list need not end on a byte
// boundary, and writing them back keeps exactly that many bits; the unused
// high bits of the last byte are 0.
struct Image {
    std::vector<std::uint8_t> bytes;
    std::uint32_t bitCount = 0;
};

// An image of whole bytes.
Image imageFromBytes(std::vector<std::uint8_t> bytes);

// The limits every reader and writer of a container keeps, stated once so
// that nothing is written that its reader would refuse. A TEDS memory holds
// a few hundred bytes, the largest 1-Wire EEPROMs a few kilobytes; anything
// near these sizes is some other file, and a stream without end must not be
// read for ever.
//
// The largest image read or written, in bytes: what 2,048 pages of a dump
// (64 KiB of memory) hold. A whole number of pages' data, since a dump pads
// its last page and gives the padding back as part of the image.
inline constexpr std::size_t kMaxImageBytes = std::size_t{2048} * 31;
// The largest content a reader takes. Every container of an image up to
// kMaxImageBytes, and a dump of up to kMostEepromPages, fits in it.
inline constexpr std::size_t kMaxContainerBytes = std::size_t{1} << 20;
// The most pages a dump may have, erased ones included: 256 KiB of memory,
// 512 KiB as hex text. Writing pads no further.
inline constexpr std::uint32_t kMostEepromPages = 8192;

struct ReadResult {
    Image image;
    Format format = Format::Raw;
    bool hexText = false;      // an EEPROM dump that was given as hexadecimal text
    bool upperCase = false;    // hex text with digits A to F in upper case and none in lower case
    std::uint32_t pages = 0;   // EEPROM pages read, blank trailing pages included
    std::string error;         // empty on success; one line saying what is wrong

    bool ok() const { return error.empty(); }
};

// Works out the format from the content, in this order:
//   1. binary content that opens with the virtual TEDS header is `ted`;
//   2. text of nothing but 0s and 1s, at least 64 of them (a Basic TEDS),
//      is `bits`; other text must be hexadecimal and is decoded to bytes;
//   3. bytes of two or more whole 32-byte pages whose checksums hold are
//      `eeprom` (pages of all 0x00 or all 0xFF, as unwritten memory reads,
//      do not count, and at least one other page must be there); when some
//      of those pages hold and others fail, the dump is damaged and refused;
//      a single page is no evidence and has to be named;
//   4. otherwise text is `hex` and binary content is `raw`.
// Text is taken as editors save it: a UTF-8 byte order mark is skipped,
// UTF-16 of ASCII characters (with or without its byte order mark) is read
// as the text it holds, and NUL bytes after text end it; such content is
// text or refused, never a binary image.
// Content larger than kMaxContainerBytes, an image larger than
// kMaxImageBytes and a dump of more than kMostEepromPages are refused.
ReadResult readContainer(std::string_view content);
// Reads the content as the given format, with no detection.
ReadResult readContainer(std::string_view content, Format format);

// How text is spelled, and how many pages a dump has, where a format leaves
// a choice, so that a file can be written back as it was read:
// `{read.hexText, read.upperCase, read.pages}`.
struct TextStyle {
    bool hexText = false;     // an EEPROM dump as hexadecimal text instead of raw bytes
    bool upperCase = false;   // hex digits A to F in upper case
    std::uint32_t pages = 0;  // an EEPROM dump: at least this many pages, erased (all 0xFF) after the image's
};

// The container's bytes for `image`. An EEPROM dump is padded with zeros to
// whole pages, then with erased pages up to the style's page count (at most
// kMostEepromPages); `raw`, `hex` and `eeprom` hold whole bytes. Hex text, a
// dump's included, is one line of two digits a byte. For an image of up to
// kMaxImageBytes the content is never more than kMaxContainerBytes, so
// readContainer takes it back. The style applies to
// `hex` and `eeprom` and is ignored by the other formats; without one, hex
// digits are lower case and a dump is raw bytes.
std::string writeContainer(const Image& image, Format format);
std::string writeContainer(const Image& image, Format format, TextStyle style);

}  // namespace teds::container
