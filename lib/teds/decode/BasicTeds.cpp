#include "teds/decode/BasicTeds.hpp"

#include <ostream>

#include "teds/types/Chr5.hpp"

namespace teds::decode {
namespace {

struct Layout {
    std::uint32_t manufacturer, model, letter, version, serial;
};
constexpr Layout kStandardLayout{14, 15, 5, 6, 24};
constexpr Layout kEarlyLayout{12, 16, 5, 6, 25};

std::int32_t readField(BitStream& stream, std::uint32_t width) {
    return static_cast<std::int32_t>(stream.readBits(width));
}

}  // namespace

std::int32_t chooseBasicTedsLayout(const std::uint8_t* image, std::uint32_t length) {
    const std::uint32_t byte8 = length > 8 ? image[8] : 0;
    const std::uint32_t byte9 = length > 9 ? image[9] : 0;
    if ((byte8 & 3u) != 0) return 2;
    // A first IEEE template with an ID of 24 or less only occurs with the
    // early layout; the standard templates start at 25.
    const std::uint32_t firstTemplateId = (byte8 >> 2) + ((byte9 & 3u) << 6);
    return firstTemplateId <= 24 ? 1 : 2;
}

void readBasicTeds(const std::uint8_t* image, std::uint32_t length, BitStream& stream,
                   std::ostream* trace, BasicTeds& out) {
    out.format = chooseBasicTedsLayout(image, length);
    const Layout& layout = out.format == 1 ? kEarlyLayout : kStandardLayout;

    out.manufacturerId = readField(stream, layout.manufacturer);
    out.modelNumber = readField(stream, layout.model);
    out.versionLetter = types::chr5ToChar(static_cast<std::uint32_t>(stream.readBits(layout.letter)));
    out.versionNumber = readField(stream, layout.version);
    out.serialNumber = readField(stream, layout.serial);

    if (trace) {
        *trace << "Basic TEDS: Mfgr " << out.manufacturerId << "; Model " << out.modelNumber << '-'
               << out.versionLetter << '-' << out.versionNumber << "; Serial " << out.serialNumber
               << '\n';
    }
}

}  // namespace teds::decode
