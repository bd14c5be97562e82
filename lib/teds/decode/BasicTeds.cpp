#include "teds/decode/BasicTeds.hpp"

#include "teds/types/Chr5.hpp"
#include "teds_chain_format.hpp"

namespace teds::decode {
namespace {

std::int32_t readField(types::BitReader& in, std::uint32_t width) {
    return static_cast<std::int32_t>(in.readBits(width));
}

}  // namespace

BasicTedsWidths basicTedsWidths(BasicTedsLayout layout) {
    return layout == BasicTedsLayout::Early ? chain::kEarlyLayout : chain::kStandardLayout;
}

BasicTedsLayout chooseBasicTedsLayout(const std::uint8_t* image, std::uint32_t length) {
    const std::uint32_t byte8 = length > 8 ? image[8] : 0;
    const std::uint32_t byte9 = length > 9 ? image[9] : 0;
    if ((byte8 & 3u) != 0) return BasicTedsLayout::Standard;
    const std::uint32_t firstTemplateId = (byte8 >> 2) + ((byte9 & 3u) << 6);
    return firstTemplateId <= chain::kLastEarlyTemplateId ? BasicTedsLayout::Early : BasicTedsLayout::Standard;
}

void readBasicTeds(const std::uint8_t* image, std::uint32_t length, types::BitReader& in, BasicTeds& out) {
    out.format = chooseBasicTedsLayout(image, length);
    const BasicTedsWidths layout = basicTedsWidths(out.format);

    out.manufacturerId = readField(in, layout.manufacturer);
    out.modelNumber = readField(in, layout.model);
    out.versionLetter = types::chr5ToChar(static_cast<std::uint32_t>(in.readBits(layout.letter)));
    out.versionNumber = readField(in, layout.version);
    out.serialNumber = readField(in, layout.serial);
}

}  // namespace teds::decode
