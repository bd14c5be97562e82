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

}  // namespace

ImageOrError imageFromContent(std::string_view content, InputFormat format) {
    ImageOrError result = teds::api::readImage(content, format);
    if (result.damagedDump) result.error += " (--input-format raw or hex reads it as an image)";
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
    if (image.container == Format::Ted || image.container == Format::Bits)
        text += " (" + plural(image.image.bitCount, "bit", "bits") + ")";
    return text;
}

}  // namespace teds_tools
