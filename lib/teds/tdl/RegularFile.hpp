#pragma once
// Opening a TDL path for reading only when it names a regular file.

#include <cstdio>
#include <memory>
#include <string>

#include "teds/tdl/Diagnostic.hpp"

namespace teds::tdl {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A file opened for reading in text mode, or why it was not: the path and
// the reason worded as the C library's perror line words it, or as "not a
// regular file", of kind MissingFile, NotRegularFile or UnopenableFile.
struct OpenedFile {
    std::unique_ptr<std::FILE, FileCloser> file;
    Diagnostic failure;  // meaningful only without a file
};

// A FIFO, a device or a directory is refused without waiting for data: a
// FIFO no program writes to would otherwise block the caller for ever.
// Where the POSIX calls are missing (Windows) the path is opened as it is.
OpenedFile openRegularFile(const std::string& path);

}  // namespace teds::tdl
