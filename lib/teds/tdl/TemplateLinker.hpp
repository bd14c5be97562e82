#pragma once
// Binds the properties of a file's templates to the enumerations and
// physical units they name: each EnumProperty to its Enum, each Property
// with a unit name to its PhysicalUnit.

#include <cstddef>
#include <string>
#include <vector>

#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/Template.hpp"

namespace teds::tdl {

struct LinkResult {
    // One per name that could not be found.
    std::vector<Diagnostic> diagnostics;
    // For each template, the other templates whose nodes it now points
    // into: those must live as long as it does.
    std::vector<std::vector<std::size_t>> uses;
};

// A name is looked up in the property's own template first, then in the
// other templates in the order given. A name not found leaves the property
// unbound, which decodes and answers queries as if it had named nothing.
// `sourceName` names the templates' text in the diagnostics.
LinkResult linkTemplates(const std::vector<Template*>& templates, const std::string& sourceName);

}  // namespace teds::tdl
