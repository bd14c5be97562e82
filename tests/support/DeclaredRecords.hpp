#pragma once
// Records built by hand, named through a declaration as decoded ones are.

#include <map>
#include <string>
#include <string_view>

#include "teds/types/PropertyDescription.hpp"
#include "teds/types/ValueRecord.hpp"

namespace teds::testing {

// A declaration of `name`, the same one for every call with that name and
// kept for the whole test program, as a template's would be.
inline const types::PropertyDescription* declared(std::string_view name) {
    static std::map<std::string, types::PropertyDescription, std::less<>> declarations;
    auto found = declarations.find(name);
    if (found == declarations.end()) {
        found = declarations.emplace(std::string(name), types::PropertyDescription{}).first;
        found->second.name = std::string(name);
    }
    return &found->second;
}

inline types::ValueRecord namedRecord(std::string_view name, types::Value value) {
    return types::ValueRecord{value, declared(name)};
}

}  // namespace teds::testing
