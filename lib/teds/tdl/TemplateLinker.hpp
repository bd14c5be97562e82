#pragma once
// Binds the properties of a file's templates to the enumerations and
// physical units they name: each EnumProperty to its Enum, each Property
// with a unit name to its PhysicalUnit.

#include <cstddef>
#include <string>
#include <vector>

#include "teds/tdl/Template.hpp"

namespace teds::tdl {

struct LinkResult {
    // One message per name that could not be found.
    std::vector<std::string> messages;
    // For each template, the other templates whose nodes it now points
    // into: those must live as long as it does.
    std::vector<std::vector<std::size_t>> uses;
};

// A name is looked up in the property's own template first, then in the
// other templates in the order given. A name not found leaves the property
// unbound, which decodes and answers queries as if it had named nothing.
LinkResult linkTemplates(const std::vector<Template*>& templates);

}  // namespace teds::tdl
