#pragma once
// Writes an output file whole or not at all, without harming what the path
// names when that is no regular file.

#include <string>
#include <string_view>

namespace teds_tools {

// Writes `content` to a new file beside `path` and renames it over `path`,
// so a failed write leaves what was there before. A symbolic link (or a
// chain of them) is followed and the file it names is replaced, the link
// kept; a replaced file keeps its mode, and its owner and group where the
// process may set them. A character device or a FIFO is written into
// instead (so /dev/null and /dev/stdout work); a directory, a block device
// or a socket is refused. Returns what went wrong, or an empty text.
std::string replaceFile(const std::string& path, std::string_view content);

}  // namespace teds_tools
