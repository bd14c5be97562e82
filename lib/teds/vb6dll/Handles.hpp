#pragma once
// What the two opaque handles of the C interface stand for (the table of
// live handles maps each handle to one of these), and the template lookup
// every TEDS query makes.

#include <cstdint>
#include <memory>
#include <mutex>

#include "Api.hpp"
#include "teds/decode/DecodedTeds.hpp"
#include "teds/decode/NameIndex.hpp"
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

    // Each index is built by the first query that needs it, so a decode
    // pays for neither; queries on one handle may come from several threads
    // at once.
    const teds::decode::PositionIndex& positions() const {
        std::call_once(positionsBuilt_, [this] { positions_ = teds::decode::PositionIndex(decoded.templates); });
        return positions_;
    }
    const teds::decode::NameIndex& names() const {
        std::call_once(namesBuilt_, [this] { names_ = teds::decode::NameIndex(decoded.templates); });
        return names_;
    }

private:
    mutable std::once_flag positionsBuilt_;
    mutable teds::decode::PositionIndex positions_;
    mutable std::once_flag namesBuilt_;
    mutable teds::decode::NameIndex names_;
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
