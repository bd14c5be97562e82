#include "teds/tdl/RegularFile.hpp"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace teds::tdl {
namespace {

OpenedFile failed(const std::string& path, DiagnosticKind kind, std::string reason) {
    OpenedFile opened;
    opened.failure = Diagnostic{path, 0, kind, reason, reason};
    return opened;
}

// The C library's words for `error`, and whether it says the path is missing.
OpenedFile unopenable(const std::string& path, int error) {
    const bool missing = error == ENOENT || error == ENOTDIR;
    return failed(path, missing ? DiagnosticKind::MissingFile : DiagnosticKind::UnopenableFile, std::strerror(error));
}

}  // namespace

#if defined(_WIN32)

OpenedFile openRegularFile(const std::string& path) {
    OpenedFile opened;
    opened.file.reset(std::fopen(path.c_str(), "r"));
    if (opened.file) return opened;
    const int error = errno;
    opened = unopenable(path, error);
    // Windows refuses to open a folder with "permission denied"; its
    // wording stays, its kind says what the path is.
    struct _stat64 status;
    if (error != ENOENT && ::_stat64(path.c_str(), &status) == 0 && (status.st_mode & _S_IFREG) == 0)
        opened.failure.kind = DiagnosticKind::NotRegularFile;
    return opened;
}

#else

OpenedFile openRegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits until a writer opens it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return unopenable(path, errno);
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return failed(path, DiagnosticKind::NotRegularFile, "not a regular file");
    }
    // Reads of a regular file never wait; the flag is cleared all the same
    // so that the stream sees an ordinary descriptor.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    OpenedFile opened;
    opened.file.reset(::fdopen(fd, "r"));
    if (opened.file) return opened;
    const int error = errno;
    ::close(fd);
    return unopenable(path, error);
}

#endif

}  // namespace teds::tdl
