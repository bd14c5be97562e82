#pragma once
// Reads a TEDS image from whatever container holds it (raw bytes, hex text,
// a virtual TEDS file, an EEPROM dump, a list of bits), told which or
// working it out from the content, and checks it is large enough to be one.

#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "InputFile.hpp"
#include "teds_api.hpp"
#include "teds_container.hpp"

namespace teds_tools {

// Read as every front end reads an image: its container, text style and pages.
using ImageOrError = teds::api::ImageRead;

using InputFormat = std::optional<teds::container::Format>;

// Reads `in` to its end (at most kMaxContainerBytes) and interprets the content.
ImageOrError readImage(std::istream& in, InputFormat format = std::nullopt);

// Interprets `content` as `format`, or as what it looks like when none is given.
ImageOrError imageFromContent(std::string_view content, InputFormat format = std::nullopt);
// The same, with 32 bytes that may be an image or a one-page dump told apart
// by decoding against `templates` (see teds::api::readImage).
ImageOrError imageFromContent(std::string_view content, const teds::api::Templates& templates, InputFormat format);

// Reads the image from the file at `path` (see readInputFile), or from
// `standardInput` when `path` is "-".
ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput);
// The same, with a one-page dump told from an image by decoding against `templates`.
ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput,
                         const teds::api::Templates& templates);

// The content of the file at `path`, or of `standardInput` when `path` is
// "-", as readImageAt reads it. With `regularOnly`, anything but a regular
// file is refused without waiting for it.
InputOrError readImageContent(const std::string& path, std::istream& standardInput, bool regularOnly = false);

// How messages name the image's source: 'path', or standard input.
std::string sourceName(const std::string& path);

// What the table says of the container: "hex", "eeprom (hex text, 2 pages)".
std::string containerText(const ImageOrError& image);

}  // namespace teds_tools
