#pragma once
// Decodes a whole image: the Basic TEDS, then template descriptor after
// template descriptor until the image ends, an extended descriptor comes, or
// a template cannot be found or decoded.

#include <cstdint>
#include <iosfwd>

#include "teds/decode/DecodedTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"
#include "teds/types/BitReader.hpp"
#include "teds/types/DecodeBudget.hpp"

namespace teds::tdl {
class Registry;
}

namespace teds::decode {

// Use codes of the 14-bit field U that follows a user-template selector.
// Only OtherManufacturer is followed by a template; the others are named
// after the values of U they stand for.
enum class UseCode : std::int32_t {
    OtherManufacturer = 0,  // U is a manufacturer ID, 17 to 16381
    Unassigned = 1,
    U1 = 2,
    U2 = 3,
    U4 = 4,
    U10Or14 = 5,
    AllOnes = 7,
};

struct UserDescriptor {
    UseCode useCode = UseCode::Unassigned;
    std::int32_t manufacturer = 0;  // meaningful for OtherManufacturer only
};
UserDescriptor mapUserDescriptor(std::uint32_t u);

// Reads a template ID as wide as the registry holds for `manufacturerKey`,
// finds the template and decodes its body into `record`, taking its records
// from `budget`. Fails without reading when the manufacturer is unknown.
bool decodeTemplate(const tdl::Registry& registry, types::BitReader& in, std::int32_t manufacturerKey,
                    TemplateRecord& record, types::DecodeBudget& budget);

// Fills `out` from `image`; a null image or zero length leaves it untouched.
// Writes a trace of what it reads when `trace` is given.
void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                std::ostream* trace, DecodedTeds& out);

}  // namespace teds::decode
