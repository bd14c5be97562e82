#pragma once
// What the two opaque handles of the C interface stand for (the table of
// live handles maps each handle to one of these), and the template lookup
// every TEDS query makes.

#include <cstdint>
#include <memory>

#include "Api.hpp"
#include "teds/decode/DecodedTeds.hpp"
#include "teds/decode/PositionIndex.hpp"
#include "teds/tdl/Registry.hpp"

struct MirxTedsParser {
    teds::tdl::Registry registry;
};

struct MirxDecodedTeds {
    // The decoded records point into the parser's templates: they keep the
    // parser alive for as long as a query on another thread still holds them.
    std::shared_ptr<const MirxTedsParser> parser;
    teds::decode::DecodedTeds decoded;
    // Built once the decode is done; queries by position go through it.
    teds::decode::PositionIndex positions;
};

namespace teds::vb6dll {

// The template at `index`, or null when there is no TEDS (the handle was
// refused) or the index is not below the template count (unsigned, so a
// negative index from the caller is out of range). Queries only read
// through the pointer: no query changes a decoded TEDS.
inline const decode::TemplateRecord* selectTemplate(const MirxDecodedTeds* teds, std::uint32_t index) {
    if (!teds || index >= teds->decoded.templates.size()) return nullptr;
    return &teds->decoded.templates[index];
}

}  // namespace teds::vb6dll
