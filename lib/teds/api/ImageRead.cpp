#include "teds/container/EepromDump.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

using container::Format;

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// Bit containers count bits; the others hold whole bytes and say so.
bool countsBits(Format format) { return format == Format::Ted || format == Format::Bits; }

std::string tooSmall(const ImageRead& read) {
    if (countsBits(read.container)) {
        if (read.image.bitCount >= kBasicTedsBytes * 8) return {};
        return "holds " + plural(read.image.bitCount, "bit", "bits") +
               ", too few for a TEDS image: the Basic TEDS alone takes 64";
    }
    if (read.image.bytes.size() >= kBasicTedsBytes) return {};
    return "holds " + plural(read.image.bytes.size(), "byte", "bytes") +
           ", too few for a TEDS image: the Basic TEDS alone takes 8";
}

}  // namespace

ImageSource ImageRead::source() const {
    return {std::string(container::formatName(container)),
            heldAsHexText() ? std::optional<bool>(upperCase) : std::nullopt,
            container == Format::Eeprom ? std::optional<std::uint32_t>(pages) : std::nullopt};
}

ImageRead readImage(std::string_view content, std::optional<Format> format) {
    ImageRead result;
    if (content.empty()) {
        result.error = "is empty";
        return result;
    }
    container::ReadResult read = format ? container::readContainer(content, *format) : container::readContainer(content);
    result.container = read.format;
    result.hexText = read.hexText;
    result.upperCase = read.upperCase;
    result.pages = read.pages;
    if (!read.ok()) {
        result.error = std::move(read.error);
        // A dump found by its pages may yet be an image whose pages happen to add up.
        if (!format && read.format == Format::Eeprom) {
            result.error = "looks like an EEPROM dump, but " + result.error;
            result.damagedDump = true;
        }
        return result;
    }
    result.image = std::move(read.image);
    if (std::string error = tooSmall(result); !error.empty()) {
        result.error = std::move(error);
        result.image = {};
    }
    return result;
}

ImageRead readImage(std::string_view content, const Templates& templates, std::optional<Format> format) {
    ImageRead read = readImage(content, format);
    const bool asBytes = read.container == Format::Raw || read.container == Format::Hex;
    if (format || !read.ok() || !asBytes || read.image.bytes.size() != container::kEepromPageBytes) return read;
    ImageRead dump = readImage(content, Format::Eeprom);
    if (!dump.ok()) return read;
    // Problems of the chain alone: neither reading is checked for its calibration.
    const bool imageDecodes = Teds(templates, read.image).problems().empty();
    const bool dumpDecodes = Teds(templates, dump.image).problems().empty();
    return !imageDecodes && dumpDecodes ? dump : read;
}

}  // namespace teds::api
