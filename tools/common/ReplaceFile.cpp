#include "ReplaceFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#include "InputFile.hpp"
#include "LinkEnd.hpp"
#include "WriteThrough.hpp"
#endif

namespace teds_tools {
namespace {

namespace fs = std::filesystem;

std::string withReason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

#ifdef _WIN32

int createExclusive(const std::string& path, bool) {
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}
int writeSome(int fd, std::string_view content) {
    return _write(fd, content.data(), static_cast<unsigned>(std::min<std::size_t>(content.size(), 1 << 20)));
}
int flushToDisk(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }

#else

// A new file gets what the umask leaves of 0666, as any file a program
// creates; one that replaces another starts private and is then given the
// old one's mode, so its content is never more widely readable than before.
int createExclusive(const std::string& path, bool replacing) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, replacing ? 0600 : 0666);
}
ssize_t writeSome(int fd, std::string_view content) {
    return ::write(fd, content.data(), std::min<std::size_t>(content.size(), 1 << 20));
}
int flushToDisk(int fd) {
    // File systems that cannot flush (some special ones) have nothing to lose.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : -1;
}
int closeFile(int fd) { return ::close(fd); }

// The owner and group where the process may set them (root may; a user may
// set a group of theirs), then the mode. The set-user-ID and set-group-ID
// bits are kept only with the owner and group they were given for.
void keepOwnerAndMode(int fd, const struct stat& old) {
    const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
    if (!ownerKept) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & (ownerKept ? 07777 : 01777));
}

#endif

// A short name, so that the scratch file fits wherever the target's own name
// does, in the target's folder, so that the rename stays on one volume and
// replaces the old file in one step. std::filesystem::rename replaces an
// existing file on Windows too (MoveFileExW with MOVEFILE_REPLACE_EXISTING).
std::string scratchName(const fs::path& target) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string name = ".teds-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    const fs::path folder = target.parent_path();
    return (folder.empty() ? fs::path(name) : folder / name).string();
}

// Writes `content` to a new file beside `target` and renames it over
// `target`; `old` is the regular file there, if any.
std::string replaceRegularFile(const std::string& target, std::string_view content, const struct stat* old) {
    std::string scratch;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        scratch = scratchName(target);
        fd = createExclusive(scratch, old != nullptr);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return withReason("cannot create a file in its folder", errno);
    std::string error;
    for (std::string_view left = content; error.empty() && !left.empty();) {
        const auto written = writeSome(fd, left);
        if (written > 0)
            left.remove_prefix(static_cast<std::size_t>(written));
        else if (written == 0 || errno != EINTR)
            error = withReason("writing failed", written == 0 ? EIO : errno);
    }
#ifndef _WIN32
    if (old) keepOwnerAndMode(fd, *old);
#endif
    if (error.empty() && flushToDisk(fd) != 0) error = withReason("writing failed", errno);
    if (closeFile(fd) != 0 && error.empty()) error = withReason("writing failed", errno);
    std::error_code ec;
    if (error.empty()) {
        fs::rename(scratch, target, ec);
        if (ec) error = "cannot be replaced: " + ec.message();
    }
    if (!error.empty()) fs::remove(scratch, ec);
    return error;
}

}  // namespace

#ifdef _WIN32

std::string replaceFile(const std::string& path, std::string_view content) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return "it is a directory";
    return replaceRegularFile(path, content, nullptr);
}

#else

namespace {

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

std::string replaceFile(const std::string& path, std::string_view content) {
    // stat follows links as the system does, those of /proc included.
    struct stat status;
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) return withReason("cannot be examined", errno);
    const LinkEnd end = followLinks(path);
    if (!end.error.empty()) return end.error;
    // Standard output redirected to a file is written where the shell's
    // next write goes, not replaced under it.
    if (end.ownDescriptor) return writeToDescriptor(*end.ownDescriptor, content);
    if (exists && (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode))) return writeThrough(path, content, status);
    if (exists && !S_ISREG(status.st_mode)) return std::string("it is ") + fileKindText(status.st_mode);
    // The name must lead to what stat saw, which a file swapped meanwhile does not.
    if (end.exists != exists || (exists && !sameFile(end.status, status)))
        return "cannot be replaced: it changed while it was being examined";
    return replaceRegularFile(end.path, content, exists ? &status : nullptr);
}

#endif

}  // namespace teds_tools
