#include "ImageInput.hpp"

#include "InputFile.hpp"

namespace teds_tools {
namespace {

using teds::container::Format;
using teds::container::kMaxContainerBytes;

constexpr std::string_view kBeyondAnyMemory = "far more than any TEDS memory";
constexpr InputRules kImageRules{.maxBytes = kMaxContainerBytes, .beyondLimit = kBeyondAnyMemory};

ImageOrError withHint(ImageOrError result) {
    if (result.damagedDump) result.error += " (--input-format raw or hex reads it as an image)";
    return result;
}

ImageOrError imageFrom(const InputOrError& input, InputFormat format, const teds::api::Templates* templates = nullptr) {
    if (input.ok())
        return templates != nullptr ? imageFromContent(input.content, *templates, format)
                                    : imageFromContent(input.content, format);
    ImageOrError failed;
    failed.error = input.error;
    return failed;
}

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

ImageOrError imageFromContent(std::string_view content, InputFormat format) {
    return withHint(teds::api::readImage(content, format));
}

ImageOrError imageFromContent(std::string_view content, const teds::api::Templates& templates, InputFormat format) {
    return withHint(teds::api::readImage(content, templates, format));
}

ImageOrError readImage(std::istream& in, InputFormat format) {
    return imageFrom(readInputStream(in, kImageRules), format);
}

InputOrError readImageContent(const std::string& path, std::istream& standardInput, bool regularOnly) {
    if (path == "-") return readInputStream(standardInput, kImageRules);
    InputRules rules = kImageRules;
    rules.regularFileOnly = regularOnly;
    return readInputFile(path, rules);
}

ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput) {
    return imageFrom(readImageContent(path, standardInput), format);
}

ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput,
                         const teds::api::Templates& templates) {
    return imageFrom(readImageContent(path, standardInput), format, &templates);
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
