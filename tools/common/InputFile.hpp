#pragma once
// Reads a whole input the tools were given by name (an image, a document, a
// template file) without trusting what the name leads to: it is opened
// without waiting, looked at before it is read, and read only up to a limit.

#include <chrono>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace teds_tools {

// How long an input FIFO may go without a writer, an output FIFO without a
// reader, or a device without data, before it is refused: long enough for a
// program started beside the tool.
inline constexpr std::chrono::seconds kWaitForData{3};

struct InputRules {
    std::size_t maxBytes = 0;
    // Why more than maxBytes is refused, said after the limit: "far more than any TEDS memory".
    std::string_view beyondLimit;
    // Only a regular file will do: a FIFO, a device or a directory is refused at once.
    bool regularFileOnly = false;
    // Read as the C library reads a text file (on Windows: CR LF as LF, Ctrl-Z ends the text).
    bool textMode = false;
};

struct InputOrError {
    std::string content;
    std::string error;  // empty on success; said of the input: "cannot be opened: ...", "is larger than ..."

    bool ok() const { return error.empty(); }
};

// The content of the file at `path`. A regular file is read to its end; a
// FIFO or pipe as its writer fills it, refused when no writer comes within
// kWaitForData; a character device until it ends, refused when it gives no
// data for kWaitForData; a directory, a block device or a socket is refused.
InputOrError readInputFile(const std::string& path, const InputRules& rules);

#ifndef _WIN32
// "a directory", "a FIFO", ...: what a file of this mode is, as refusals name it.
const char* fileKindText(mode_t mode);
#endif

// The content of `in`, which may be standard input, read to its end.
InputOrError readInputStream(std::istream& in, const InputRules& rules);

}  // namespace teds_tools
