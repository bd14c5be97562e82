#pragma once
// Loads TDL into a registry: parse, bind names, offer each template.

#include <cstdint>
#include <string>
#include <string_view>

namespace teds::tdl {

class Registry;

// Opens `path` in text mode and loads it. A file that cannot be opened gives
// 0 and the C library's perror line for the path on standard error; a path
// that names no regular file (a FIFO, a directory) gives 0 as well, at once.
std::int32_t loadTdlFile(Registry& registry, const std::string& path);

// Loads TDL held in memory; `sourceName` names it in diagnostics.
std::int32_t loadTdlText(Registry& registry, std::string_view text, const std::string& sourceName = "<text>");

}  // namespace teds::tdl
