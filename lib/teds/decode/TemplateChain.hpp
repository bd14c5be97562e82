#pragma once
// Decodes a whole image: the Basic TEDS, then template descriptor after
// template descriptor until the image ends, an extended descriptor comes, or
// a template cannot be found or decoded.

#include <cstdint>
#include <iosfwd>

#include "teds/decode/DecodedTeds.hpp"

namespace teds::tdl {
class Registry;
}

namespace teds::decode {

// Use codes of the 14-bit field that follows a user-template selector.
struct UserDescriptor {
    std::int32_t useCode = 1;
    std::int32_t manufacturer = 0;  // meaningful for use code 0 only
};
UserDescriptor mapUserDescriptor(std::uint32_t u);

// Fills `out` from `image`; a null image or zero length leaves it untouched.
// Writes a trace of what it reads when `trace` is given.
void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                std::ostream* trace, DecodedTeds& out);

}  // namespace teds::decode
