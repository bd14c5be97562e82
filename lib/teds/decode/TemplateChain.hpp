#pragma once
// Decodes a whole image: the Basic TEDS, then template descriptor after
// template descriptor until the image ends, an extended descriptor comes, or
// a template cannot be found or decoded.

#include <cstdint>

#include "teds/decode/ChainTrace.hpp"
#include "teds/decode/DecodedTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"
#include "teds/types/BitReader.hpp"
#include "teds/types/DecodeBudget.hpp"

namespace teds::tdl {
class Registry;
}

namespace teds::decode {

UserDescriptor mapUserDescriptor(std::uint32_t u);

// Reads a template ID as wide as the registry holds for `manufacturerKey`,
// finds the template and decodes its body into `record`, taking its records
// from `budget`. Fails without reading when the manufacturer is unknown.
bool decodeTemplate(const tdl::Registry& registry, types::BitReader& in, std::int32_t manufacturerKey,
                    TemplateRecord& record, types::DecodeBudget& budget);

// Fills `out` from `image`; a null image or zero length leaves it untouched.
// Records each descriptor it reads in `trace` when one is given.
void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                ChainTrace* trace, DecodedTeds& out);

}  // namespace teds::decode
