#include "teds/tdl/RegularFile.hpp"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace teds::tdl {

#if defined(_WIN32)

std::FILE* openRegularFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) std::perror(path.c_str());
    return file;
}

#else

std::FILE* openRegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits until a writer opens it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        std::perror(path.c_str());
        return nullptr;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        std::fprintf(stderr, "%s: not a regular file\n", path.c_str());
        return nullptr;
    }
    // Reads of a regular file never wait; the flag is cleared all the same
    // so that the stream sees an ordinary descriptor.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "r");
    if (!file) {
        std::perror(path.c_str());
        ::close(fd);
    }
    return file;
}

#endif

}  // namespace teds::tdl
