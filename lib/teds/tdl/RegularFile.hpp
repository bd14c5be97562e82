#pragma once
// Opening a TDL path for reading only when it names a regular file.

#include <cstdio>
#include <string>

namespace teds::tdl {

// The file at `path` opened for reading in text mode, or null, with one
// line on standard error saying why: the C library's perror line when the
// path cannot be opened, or a line saying that it is not a regular file.
// A FIFO, a device or a directory is refused without waiting for data: a
// FIFO no program writes to would otherwise block the caller for ever.
// Where the POSIX calls are missing (Windows) the path is opened as it is.
std::FILE* openRegularFile(const std::string& path);

}  // namespace teds::tdl
