#pragma once
// Reads a TEDS image from whatever container holds it (raw bytes, hex text,
// a virtual TEDS file, an EEPROM dump, a list of bits), told which or
// working it out from the content, and checks it is large enough to be one.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "teds_container.hpp"

namespace teds_tools {

// The Basic TEDS alone takes 64 bits.
inline constexpr std::size_t kBasicTedsBytes = 8;

struct ImageOrError {
    teds::container::Image image;
    teds::container::Format container = teds::container::Format::Raw;
    bool hexText = false;      // an EEPROM dump given as hexadecimal text
    bool upperCase = false;    // hex text whose digits A to F were upper case
    std::uint32_t pages = 0;   // pages of an EEPROM dump
    std::string error;         // empty on success; says what is wrong, without the source name

    bool ok() const { return error.empty(); }
    // A hex image or an EEPROM dump given as hex text: its digits had a case.
    bool heldAsHexText() const { return container == teds::container::Format::Hex || hexText; }
    // Written in this style, the image's container comes back as it was read.
    teds::container::TextStyle textStyle() const { return {hexText, upperCase, pages}; }
};

using InputFormat = std::optional<teds::container::Format>;

// Reads `in` to its end (at most kMaxContainerBytes) and interprets the content.
ImageOrError readImage(std::istream& in, InputFormat format = std::nullopt);

// Interprets `content` as `format`, or as what it looks like when none is given.
ImageOrError imageFromContent(std::string_view content, InputFormat format = std::nullopt);

// Reads the image from the file at `path` (see readInputFile), or from
// `standardInput` when `path` is "-".
ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput);

// How messages name the image's source: 'path', or standard input.
std::string sourceName(const std::string& path);

// What the table says of the container: "hex", "eeprom (hex text, 2 pages)".
std::string containerText(const ImageOrError& image);

}  // namespace teds_tools
