#pragma once
// Every record of a name at once, through the lookups by name.

#include <cstdint>
#include <string_view>
#include <vector>

#include "teds/decode/ValueLookup.hpp"

namespace teds::testing {

// Every occurrence selectByName gives for `name`, as many as countByName says.
inline std::vector<const types::ValueRecord*> recordsNamed(const std::vector<types::ValueRecord>& values,
                                                           std::string_view name) {
    std::vector<const types::ValueRecord*> matches;
    const std::int32_t count = decode::countByName(values, name);
    for (std::int32_t i = 0; i < count; ++i)
        matches.push_back(decode::selectByName(values, name, static_cast<std::uint32_t>(i)));
    return matches;
}

}  // namespace teds::testing
