#include "ImageInput.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace teds_tools {
namespace {

using teds::container::Format;

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
    if (content.size() > kMaxInputBytes) {
        result.error = "is larger than " + std::to_string(kMaxInputBytes) + " bytes, far more than any TEDS memory";
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
    return imageFromContent(content, format);
}

ImageOrError readImageAt(const std::string& path, InputFormat format, std::istream& standardInput) {
    if (path == "-") return readImage(standardInput, format);
    ImageOrError failed;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        failed.error = "cannot be read: it is a directory";
        return failed;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        failed.error = std::string("cannot be opened: ") + std::strerror(errno);
        return failed;
    }
    return readImage(file, format);
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
