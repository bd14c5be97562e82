#include "WriteThrough.hpp"

#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "InputFile.hpp"

namespace teds_tools {
namespace {

// SIGPIPE held back on this thread while it writes, so that a reader that
// goes away ends the write with EPIPE instead of the process; one that a
// write raised is taken back before the signal mask is restored.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        wasPending_ = pipeSignalPending();
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~PipeSignalHeld() {
        if (!wasPending_ && pipeSignalPending()) {
            const timespec now{};
            sigtimedwait(&pipeOnly_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    static bool pipeSignalPending() {
        sigset_t pending;
        return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    }

    sigset_t pipeOnly_;
    sigset_t previous_;
    bool wasPending_ = false;
};

// Opening a FIFO for writing without waiting fails with ENXIO until a
// reader has it open.
int openForWriting(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + kWaitForData;
    for (;;) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0 || errno != ENXIO || std::chrono::steady_clock::now() >= deadline) return fd;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// A descriptor that does not block (this one, or one shared with the
// caller) waits for a slow reader like any other writer.
void waitUntilWritable(int fd) {
    pollfd watched{fd, POLLOUT, 0};
    while (::poll(&watched, 1, -1) < 0 && errno == EINTR) {
    }
}

}  // namespace

std::string writeToDescriptor(int fd, std::string_view content) {
    const PipeSignalHeld held;
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), std::min<std::size_t>(content.size(), 1 << 20));
        if (written > 0) {
            content.remove_prefix(static_cast<std::size_t>(written));
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitUntilWritable(fd);
        } else if (written == 0 || errno != EINTR) {
            return std::string("writing failed: ") + std::strerror(written < 0 ? errno : EIO);
        }
    }
    return {};
}

std::string writeThrough(const std::string& path, std::string_view content, const struct stat& seen) {
    const int fd = openForWriting(path);
    if (fd < 0) {
        if (S_ISFIFO(seen.st_mode) && errno == ENXIO)
            return "it is a FIFO that no program opened for reading within " + std::to_string(kWaitForData.count()) +
                   " seconds";
        return std::string("cannot be opened for writing: ") + std::strerror(errno);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    // What was looked at may have been swapped meanwhile for a regular file,
    // which is only ever replaced whole.
    struct stat status;
    if (::fstat(fd, &status) != 0 || (status.st_mode & S_IFMT) != (seen.st_mode & S_IFMT))
        return "it changed while it was being opened";
    return writeToDescriptor(fd, content);
}

}  // namespace teds_tools

#endif
