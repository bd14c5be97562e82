#pragma once
// Fills the templates from the --tdl files, or from the bundled templates.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "teds_api.hpp"

namespace teds_tools {

// The bundled standard templates take 16 KB; this is thousands of times as
// much, and above the ten megabytes of tokens the loader is tested with. A
// template file is read whole before it is parsed, so this also bounds what
// holding it costs.
inline constexpr std::size_t kMaxTemplateFileBytes = std::size_t{64} << 20;

// Loads `tdlFiles` in order, or the bundled templates when the list is
// empty, and writes every load diagnostic to `err`, one line each, naming
// the file it came from. False, with one line on `err` opened by `tool`,
// when a file cannot be read (a template file must be a regular file of at
// most kMaxTemplateFileBytes); the files after it are not loaded.
bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::api::Templates& templates, std::ostream& err,
                   std::string_view tool);

}  // namespace teds_tools
