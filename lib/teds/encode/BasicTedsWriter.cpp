#include "teds/encode/BasicTedsWriter.hpp"

#include "teds/types/Chr5.hpp"

namespace teds::encode {

bool writeBasicTeds(types::BitWriter& out, const decode::BasicTeds& basic, std::vector<std::string>& problems) {
    const decode::BasicTedsWidths widths = decode::basicTedsWidths(basic.format);
    bool ok = true;
    const auto field = [&](const char* name, std::int32_t value, std::uint32_t width) {
        if (value < 0 || (static_cast<std::uint64_t>(value) >> width) != 0) {
            problems.push_back(std::string("Basic TEDS: ") + name + ' ' + std::to_string(value) + " does not fit " +
                               std::to_string(width) + " bits");
            ok = false;
        }
        out.writeBits(width, static_cast<std::uint32_t>(value));
    };
    field("manufacturer ID", basic.manufacturerId, widths.manufacturer);
    field("model number", basic.modelNumber, widths.model);
    const std::uint32_t letter = types::charToChr5(basic.versionLetter) & 0x1Fu;
    if (types::chr5ToChar(letter) != basic.versionLetter) {
        problems.push_back(std::string("Basic TEDS: version letter '") + basic.versionLetter +
                           "' is not a 5-bit character (space, A to Z, comma, period, /, _ or @)");
        ok = false;
    }
    out.writeBits(widths.letter, letter);
    field("version number", basic.versionNumber, widths.version);
    field("serial number", basic.serialNumber, widths.serial);
    return ok;
}

}  // namespace teds::encode
