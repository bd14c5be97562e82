#include "InputFile.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <filesystem>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace teds_tools {
namespace {

constexpr std::size_t kBlockBytes = 16 * 1024;

InputOrError failure(std::string error) {
    InputOrError result;
    result.error = std::move(error);
    return result;
}

InputOrError tooLarge(const InputRules& rules) {
    std::string error = "is larger than " + std::to_string(rules.maxBytes) + " bytes";
    if (!rules.beyondLimit.empty()) error += ", " + std::string(rules.beyondLimit);
    return failure(std::move(error));
}

// One byte past the limit is enough to know the input is too large.
std::size_t room(const std::string& content, const InputRules& rules) {
    return std::min(kBlockBytes, rules.maxBytes + 1 - content.size());
}

}  // namespace

InputOrError readInputStream(std::istream& in, const InputRules& rules) {
    InputOrError result;
    char buffer[kBlockBytes];
    while (result.content.size() <= rules.maxBytes) {
        in.read(buffer, static_cast<std::streamsize>(room(result.content, rules)));
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        result.content.append(buffer, static_cast<std::size_t>(got));
    }
    if (in.bad()) return failure(std::string("cannot be read: ") + std::strerror(errno));
    if (result.content.size() > rules.maxBytes) return tooLarge(rules);
    return result;
}

#ifdef _WIN32

// No FIFOs to wait for here: the file is opened and read as it is.
InputOrError readInputFile(const std::string& path, const InputRules& rules) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return failure("cannot be read: it is a directory");
    const int fd = _open(path.c_str(), _O_RDONLY | _O_NOINHERIT | (rules.textMode ? _O_TEXT : _O_BINARY));
    if (fd < 0) return failure(std::string("cannot be opened: ") + std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { _close(fd); }
    } closer{fd};
    struct _stat64 status;
    if (_fstat64(fd, &status) != 0) return failure(std::string("cannot be read: ") + std::strerror(errno));
    if (rules.regularFileOnly && (status.st_mode & _S_IFMT) != _S_IFREG)
        return failure("cannot be read: it is not a regular file");
    InputOrError result;
    char buffer[kBlockBytes];
    for (;;) {
        const int got = _read(fd, buffer, static_cast<unsigned>(room(result.content, rules)));
        if (got < 0) return failure(std::string("cannot be read: ") + std::strerror(errno));
        if (got == 0) return result;
        result.content.append(buffer, static_cast<std::size_t>(got));
        if (result.content.size() > rules.maxBytes) return tooLarge(rules);
    }
}

#else

const char* fileKindText(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "an unknown kind of file";
}

namespace {

std::string theWait() { return std::to_string(kWaitForData.count()) + " seconds"; }

// The poll events of `fd` once it has input or `timeout` has passed (a
// negative one waits for ever); 0 when nothing happened.
short waitForInput(int fd, std::chrono::milliseconds timeout) {
    pollfd watched{fd, POLLIN, 0};
    const int wait = timeout.count() < 0 ? -1 : static_cast<int>(std::min<std::int64_t>(timeout.count(), 1 << 30));
    int ready;
    do ready = ::poll(&watched, 1, wait);
    while (ready < 0 && errno == EINTR);
    return ready > 0 ? watched.revents : 0;
}

// Reads a descriptor opened without blocking to its end. A FIFO (or pipe)
// is read as its writer fills it, for as long as the writer keeps it open; a
// device must give data within kWaitForData of the last.
InputOrError readDescriptor(int fd, bool isFifo, const InputRules& rules) {
    using Clock = std::chrono::steady_clock;
    using std::chrono::milliseconds;
    const Clock::time_point writerDeadline = Clock::now() + kWaitForData;
    // Counted from the last data, however often the device wakes the poll.
    Clock::time_point lastData = Clock::now();
    // A FIFO reads 0 bytes both at its end and while no writer has opened
    // it, and "no data yet" only while a writer has it open: 0 is its end
    // once a writer has been seen.
    bool writerSeen = !isFifo;
    InputOrError result;
    char buffer[kBlockBytes];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, room(result.content, rules));
        if (got > 0) {
            result.content.append(buffer, static_cast<std::size_t>(got));
            if (result.content.size() > rules.maxBytes) return tooLarge(rules);
            writerSeen = true;
            lastData = Clock::now();
        } else if (got == 0) {
            if (writerSeen) return result;
            const Clock::duration left = writerDeadline - Clock::now();
            if (left <= Clock::duration::zero())
                return failure("cannot be read: it is a FIFO that no program opened for writing within " + theWait());
            // Linux reports a hang-up only once a writer has come and gone:
            // the FIFO was then opened and closed without a byte, and is empty.
            if (waitForInput(fd, std::chrono::duration_cast<milliseconds>(left) + milliseconds(1)) & POLLHUP)
                writerSeen = true;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            writerSeen = true;
            const Clock::duration quiet = Clock::now() - lastData;
            if (isFifo)
                waitForInput(fd, milliseconds(-1));
            else if (quiet < kWaitForData)
                waitForInput(fd, std::chrono::duration_cast<milliseconds>(kWaitForData - quiet) + milliseconds(1));
            else
                return failure("cannot be read: the device gave no data for " + theWait());
        } else if (errno != EINTR) {
            return failure(std::string("cannot be read: ") + std::strerror(errno));
        }
    }
}

}  // namespace

InputOrError readInputFile(const std::string& path, const InputRules& rules) {
    // Opening a FIFO for reading would otherwise wait for a writer, and a
    // terminal must not become the tool's controlling terminal.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(std::string("cannot be opened: ") + std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat status;
    if (::fstat(fd, &status) != 0) return failure(std::string("cannot be read: ") + std::strerror(errno));
    const mode_t mode = status.st_mode;
    if (S_ISREG(mode)) {
        if (static_cast<std::uintmax_t>(status.st_size) > rules.maxBytes) return tooLarge(rules);
        // Files such as those under /proc state no size, so the read is bounded all the same.
        return readDescriptor(fd, false, rules);
    }
    if (rules.regularFileOnly)
        return failure(std::string("cannot be read: it is ") + fileKindText(mode) + ", not a regular file");
    if (S_ISFIFO(mode) || S_ISCHR(mode)) return readDescriptor(fd, S_ISFIFO(mode), rules);
    return failure(std::string("cannot be read: it is ") + fileKindText(mode));
}

#endif

}  // namespace teds_tools
