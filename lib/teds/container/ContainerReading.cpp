// Reading a container, told its format or working it out from the content.

#include "teds_container.hpp"

#include "teds/container/BitList.hpp"
#include "teds/container/EditorText.hpp"
#include "teds/container/EepromDump.hpp"
#include "teds/container/HexText.hpp"
#include "teds/container/TedFile.hpp"

namespace teds::container {
namespace {

// A Basic TEDS alone takes 64 bits; fewer 0s and 1s are more likely hex
// digits than an image's bits.
constexpr std::size_t kFewestDetectedBits = 64;

// Whatever a writer makes of an image it may write, a reader takes back.
// The widest forms: a bit list (eight digits and a separator a byte), a
// virtual TEDS file (a byte a bit after its 40-byte header) and a dump of
// the most pages as hex text. A dump gives back its last page's padding as
// part of the image, so the largest image fills its pages.
static_assert(kMaxImageBytes * 9 <= kMaxContainerBytes);
static_assert(40 + kMaxImageBytes * 8 <= kMaxContainerBytes);
static_assert(kMaxImageBytes % kEepromPageData == 0 && kMaxImageBytes / kEepromPageData <= kMostEepromPages);
static_assert(std::size_t{kMostEepromPages} * kEepromPageBytes * 2 + 1 <= kMaxContainerBytes);

std::vector<std::uint8_t> bytesOf(std::string_view content) { return {content.begin(), content.end()}; }

ReadResult failure(Format format, std::string error) {
    ReadResult result;
    result.format = format;
    result.error = std::move(error);
    return result;
}

ReadResult plainImage(Format format, std::vector<std::uint8_t> bytes) {
    ReadResult result;
    result.format = format;
    result.image = imageFromBytes(std::move(bytes));
    return result;
}

ReadResult bitsFrom(const std::vector<std::uint8_t>& bits) {
    ReadResult result;
    result.format = Format::Bits;
    result.image = packBits(bits);
    return result;
}

ReadResult dumpFrom(const std::vector<std::uint8_t>& bytes, bool hexText) {
    ReadResult result = readEepromDump(bytes);
    result.hexText = hexText;
    return result;
}

// Bytes from a binary file or from hex text: an EEPROM dump when its pages
// say so, else the image itself.
ReadResult imageOrDump(std::vector<std::uint8_t> bytes, bool hexText) {
    const PageEvidence pages = weighPages(bytes);
    // Pages that hold beside pages that fail are a damaged dump, not an image.
    // One page alone is no evidence: the bytes of one image in 32 in 256
    // add up to 0 by chance, and a 256-bit memory holds exactly that much;
    // a dump of a single page has to be named.
    if (pages.wholePages && bytes.size() > kEepromPageBytes && pages.holding > 0) return dumpFrom(bytes, hexText);
    return plainImage(hexText ? Format::Hex : Format::Raw, std::move(bytes));
}

// What was read from hex text, with the case its digits were given in.
ReadResult spelledAs(ReadResult result, std::string_view text) {
    result.upperCase = spellsHexInUpperCase(text);
    return result;
}

// Content whose image is larger than any reader hands out is refused, so
// that no tool writes what it could not read back.
ReadResult withinImageLimit(ReadResult read) {
    if (read.ok() && read.image.bytes.size() > kMaxImageBytes) {
        const std::size_t bytes = read.image.bytes.size();
        read = failure(read.format, "holds an image of " + std::to_string(bytes) + " bytes, more than the " +
                                        std::to_string(kMaxImageBytes) + " a TEDS image may have");
    }
    return read;
}

ReadResult tooLarge() {
    return failure(Format::Raw, "is larger than " + std::to_string(kMaxContainerBytes) +
                                    " bytes, more than any TEDS container takes");
}

ReadResult detect(std::string_view content) {
    const EditorText editor = editorText(content);
    const std::string_view text = editor.text;
    if (!editor.wrapped && !isText(text)) {
        if (looksLikeTedFile(content)) return readTedFile(content);
        return imageOrDump(bytesOf(content), false);
    }
    const std::vector<std::uint8_t> bits = parseBitText(text);
    if (bits.size() >= kFewestDetectedBits) return bitsFrom(bits);
    auto hex = parseHexText(text);
    if (!hex) return failure(Format::Hex, "is neither hexadecimal text (pairs of hex digits), a list of bits nor a binary TEDS image");
    return spelledAs(imageOrDump(std::move(*hex), true), text);
}

ReadResult readAs(std::string_view content, Format format) {
    const EditorText editor = editorText(content);
    const std::string_view text = editor.text;
    switch (format) {
    // Every other format refuses content that holds no image; so does this.
    case Format::Raw:
        return content.empty() ? failure(Format::Raw, "is empty") : plainImage(Format::Raw, bytesOf(content));
    case Format::Hex: {
        auto hex = isText(text) ? parseHexText(text) : std::nullopt;
        if (!hex) return failure(Format::Hex, "is not hexadecimal text (pairs of hex digits)");
        return spelledAs(plainImage(Format::Hex, std::move(*hex)), text);
    }
    case Format::Ted: return readTedFile(content);
    case Format::Eeprom: {
        // Pages whose checksums hold are a dump as they stand, even when
        // their bytes happen to spell hex text followed by erased bytes.
        ReadResult raw = dumpFrom(bytesOf(content), false);
        if (raw.ok()) return raw;
        // A dump is often printed as hex text, as the real DS2431 dump is.
        if (isText(text))
            if (auto hex = parseHexText(text)) return spelledAs(dumpFrom(*hex, true), text);
        return raw;
    }
    case Format::Bits: {
        const std::vector<std::uint8_t> bits = parseBitText(text);
        if (bits.empty()) return failure(Format::Bits, "is not a list of bits (0s and 1s, optionally separated)");
        return bitsFrom(bits);
    }
    }
    return failure(format, "names no known container format");
}

}  // namespace

ReadResult readContainer(std::string_view content) {
    if (content.size() > kMaxContainerBytes) return tooLarge();
    return withinImageLimit(detect(content));
}

ReadResult readContainer(std::string_view content, Format format) {
    if (content.size() > kMaxContainerBytes) return tooLarge();
    return withinImageLimit(readAs(content, format));
}

std::string writeContainer(const Image& image, Format format) { return writeContainer(image, format, TextStyle{}); }

std::string writeContainer(const Image& image, Format format, TextStyle style) {
    switch (format) {
    case Format::Raw: return std::string(image.bytes.begin(), image.bytes.end());
    case Format::Hex: return writeHexText(image.bytes, style.upperCase);
    case Format::Ted: return writeTedFile(image);
    case Format::Eeprom: {
        std::string dump = writeEepromDump(image.bytes, style.pages);
        return style.hexText ? writeHexText(bytesOf(dump), style.upperCase) : dump;
    }
    case Format::Bits: return writeBitText(image);
    }
    return {};
}

}  // namespace teds::container
