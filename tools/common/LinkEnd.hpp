#pragma once
// Where an output path leads through its symbolic links, so that the file
// there is replaced and the links stay links.

#include <optional>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace teds_tools {

#ifndef _WIN32

struct LinkEnd {
    std::string path;                 // what the last link names, or the path itself when it is no link
    bool exists = false;              // something is at `path`; `status` says what
    struct stat status {};
    std::optional<int> ownDescriptor;  // the way leads into this process's descriptor (/dev/stdout)
    std::string error;                // empty when the links could be followed
};

// Follows at most 40 links from `path`, as the system does, and stops at one
// that stands for a descriptor of this process: /dev/stdout, /dev/fd/N and
// /proc/self/fd/N lead there, and the file behind one is open in the
// process's caller (a shell writing to it before and after the tool).
LinkEnd followLinks(std::string path);

#endif

}  // namespace teds_tools
