#include "ImageInput.hpp"

#include "InputFile.hpp"

namespace teds_tools {
namespace {

using teds::container::Format;
using teds::container::kMaxContainerBytes;

constexpr std::string_view kBeyondAnyMemory = "far more than any TEDS memory";
constexpr InputRules kImageRules{.maxBytes = kMaxContainerBytes, .beyondLimit = kBeyondAnyMemory};

ImageOrError imageFrom(const InputOrError& input, InputFormat format) {
    if (input.ok()) return imageFromContent(input.content, format);
    ImageOrError failed;
    failed.error = input.error;
    return failed;
}

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// Bit containers count bits; the others hold whole bytes and say so.
bool countsBits(const ImageOrError& image) { return image.container == Format::Ted || image.container == Format::Bits; }

bool tooSmallForBasicTeds(const ImageOrError& image) {
    return countsBits(image) ? image.image.bitCount < kBasicTedsBytes * 8 : image.image.bytes.size() < kBasicTedsBytes;
}

std::string tooSmall(const ImageOrError& image) {
    if (countsBits(image))
        return "holds " + plural(image.image.bitCount, "bit", "bits") +
               ", too few for a TEDS image: the Basic TEDS alone takes 64";
    return "holds " + plural(image.image.bytes.size(), "byte", "bytes") +
           ", too few for a TEDS image: the Basic TEDS alone takes 8";
}

}  // namespace

ImageOrError imageFromContent(std::string_view content, InputFormat format) {
    ImageOrError result;
    if (content.empty()) {
        result.error = "is empty";
        return result;
    }
    teds::container::ReadResult read =
        format ? teds::container::readContainer(content, *format) : teds::container::readContainer(content);
    result.container = read.format;
    result.hexText = read.hexText;
    result.upperCase = read.upperCase;
    result.pages = read.pages;
    if (!read.ok()) {
        result.error = std::move(read.error);
        // A dump found by its pages may yet be an image whose pages happen to add up.
        if (!format && read.format == Format::Eeprom)
            result.error = "looks like an EEPROM dump, but " + result.error +
                           " (--input-format raw or hex reads it as an image)";
        return result;
    }
    result.image = std::move(read.image);
    if (tooSmallForBasicTeds(result)) {
        result.error = tooSmall(result);
        result.image = {};
    }
    return result;
}

ImageOrError readImage(std::istream& in, InputFormat format) {
    return imageFrom(readInputStream(in, kImageRules), format);
}

ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput) {
    if (path == "-") return readImage(standardInput, format);
    return imageFrom(readInputFile(path, kImageRules), format);
}

std::string sourceName(const std::string& path) {
    return path == "-" ? std::string("standard input") : "'" + path + "'";
}

std::string containerText(const ImageOrError& image) {
    std::string text(teds::container::formatName(image.container));
    if (image.container == Format::Eeprom)
        text += std::string(" (") + (image.hexText ? "hex text, " : "") + plural(image.pages, "page", "pages") + ")";
    if (countsBits(image))
        text += " (" + plural(image.image.bitCount, "bit", "bits") + ")";
    return text;
}

}  // namespace teds_tools
