#pragma once
// Writes a file whole or not at all.

#include <string>
#include <string_view>

namespace teds_tools {

// Writes `content` to a new file beside `path` and renames it over `path`,
// so a failed write leaves what was there before. Returns what went wrong,
// or an empty text.
std::string replaceFile(const std::string& path, std::string_view content);

}  // namespace teds_tools
