#pragma once
// Fills the registry from the --tdl files, or from the bundled templates.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "teds/tdl/Registry.hpp"

namespace teds_tools {

// Loads `tdlFiles` in order, or the bundled templates when the list is
// empty, and writes every load diagnostic to `err`, one line each, naming
// the file it came from. False, with one line on `err` opened by `tool`,
// when a file cannot be read; the files after it are not loaded.
bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::tdl::Registry& registry, std::ostream& err,
                   std::string_view tool);

}  // namespace teds_tools
