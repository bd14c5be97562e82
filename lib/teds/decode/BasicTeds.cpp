#include "teds/decode/BasicTeds.hpp"

#include <ostream>

#include "teds/types/Chr5.hpp"

namespace teds::decode {
namespace {

constexpr BasicTedsWidths kStandardLayout{14, 15, 5, 6, 24};
constexpr BasicTedsWidths kEarlyLayout{12, 16, 5, 6, 25};

std::int32_t readField(types::BitReader& in, std::uint32_t width) {
    return static_cast<std::int32_t>(in.readBits(width));
}

}  // namespace

BasicTedsWidths basicTedsWidths(BasicTedsLayout layout) {
    return layout == BasicTedsLayout::Early ? kEarlyLayout : kStandardLayout;
}

BasicTedsLayout chooseBasicTedsLayout(const std::uint8_t* image, std::uint32_t length) {
    const std::uint32_t byte8 = length > 8 ? image[8] : 0;
    const std::uint32_t byte9 = length > 9 ? image[9] : 0;
    if ((byte8 & 3u) != 0) return BasicTedsLayout::Standard;
    // A first IEEE template with an ID of 24 or less only occurs with the
    // early layout; the standard templates start at 25.
    const std::uint32_t firstTemplateId = (byte8 >> 2) + ((byte9 & 3u) << 6);
    return firstTemplateId <= 24 ? BasicTedsLayout::Early : BasicTedsLayout::Standard;
}

void readBasicTeds(const std::uint8_t* image, std::uint32_t length, types::BitReader& in,
                   std::ostream* trace, BasicTeds& out) {
    out.format = chooseBasicTedsLayout(image, length);
    const BasicTedsWidths layout = basicTedsWidths(out.format);

    out.manufacturerId = readField(in, layout.manufacturer);
    out.modelNumber = readField(in, layout.model);
    out.versionLetter = types::chr5ToChar(static_cast<std::uint32_t>(in.readBits(layout.letter)));
    out.versionNumber = readField(in, layout.version);
    out.serialNumber = readField(in, layout.serial);

    if (trace) {
        *trace << "Basic TEDS: Mfgr " << out.manufacturerId << "; Model " << out.modelNumber << '-'
               << out.versionLetter << '-' << out.versionNumber << "; Serial " << out.serialNumber
               << '\n';
    }
}

}  // namespace teds::decode
