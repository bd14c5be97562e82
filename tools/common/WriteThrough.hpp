#pragma once
// Writes into what an output path names when replacing it would do harm: a
// device or a FIFO (a file in place of /dev/null breaks every program that
// writes to it), or the tool's own standard output.

#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace teds_tools {

#ifndef _WIN32

// Opens the device or FIFO at `path` for writing, without truncating it, and
// writes `content`; `seen` is what stat found there, which must still be
// there. A FIFO no program reads from is given kWaitForData to get a reader,
// then refused. Returns what went wrong, or an empty text.
std::string writeThrough(const std::string& path, std::string_view content, const struct stat& seen);

// Writes `content` to the open descriptor `fd`, where the next write of
// whoever shares it would go.
std::string writeToDescriptor(int fd, std::string_view content);

#endif

}  // namespace teds_tools
