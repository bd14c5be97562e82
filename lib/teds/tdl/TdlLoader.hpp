#pragma once
// Loads TDL into a registry: parse, bind names, offer each template.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "teds/tdl/Diagnostic.hpp"

namespace teds::tdl {

class Registry;

// What loading a file did. The problems of a file that was read are the
// registry's diagnostics; one that could not be opened is only in the
// result, so that each caller says so in its own way.
using teds::FileLoad;

// Opens `path` in text mode and loads it. A path that names no regular file
// (a FIFO, a directory) is refused at once.
FileLoad loadTdlFile(Registry& registry, const std::string& path);

// Loads TDL held in memory; `sourceName` names it in diagnostics.
std::int32_t loadTdlText(Registry& registry, std::string_view text, const std::string& sourceName = "<text>");

}  // namespace teds::tdl
