#include "teds_container.hpp"

#include <array>
#include <utility>

namespace teds::container {
namespace {

constexpr std::array<std::pair<Format, std::string_view>, 5> kNames{{
    {Format::Raw, "raw"},
    {Format::Hex, "hex"},
    {Format::Ted, "ted"},
    {Format::Eeprom, "eeprom"},
    {Format::Bits, "bits"},
}};

}  // namespace

std::string_view formatName(Format format) {
    for (const auto& [each, name] : kNames)
        if (each == format) return name;
    return "unknown";
}

std::optional<Format> formatFromName(std::string_view name) {
    for (const auto& [each, known] : kNames)
        if (known == name) return each;
    return std::nullopt;
}

Image imageFromBytes(std::vector<std::uint8_t> bytes) {
    Image image;
    image.bitCount = static_cast<std::uint32_t>(bytes.size() * 8);
    image.bytes = std::move(bytes);
    return image;
}

}  // namespace teds::container
