// What the tools do with paths that name no plain file: FIFOs, devices,
// folders, links; and what a replaced file keeps.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "tools/ToolRun.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>
#endif

namespace tedsdump {
namespace {

namespace fs = std::filesystem;
using testing::examplePath;
using testing::readFile;
using testing::runEditor;
using testing::runTool;
using testing::ScratchFile;
using testing::ToolResult;

TEST(TemplateFileTest, DiagnosticsReadAsTheLibraryGivesThem) {
    // CR LF lines, a syntax error, and a Ctrl-Z, which ends a text file read
    // in Windows text mode and is a stray character elsewhere.
    ScratchFile tdl(
        "TEMPLATE 0, 8, 31, \"Names\"\r\n%X, \"x\", ID, 4, UNINT, , \"furlong\"\r\nENDTEMPLATE\r\n"
        "TEMPLATE 0, 8, 32, \"Broken\"\r\n%Z, \"z\", ID, 4, UNINT\r\nENDTEMPLATE\r\n\x1a\r\nTEMPLATE 0, 8, 33\r\n",
        ".tdl");
    teds::tdl::Registry registry;
    teds::tdl::loadTdlFile(registry, tdl.path());
    std::string expected;
    for (const teds::tdl::Diagnostic& diagnostic : registry.diagnostics())
        expected += diagnostic.text() + '\n';

    const ToolResult result = runTool({"--tdl", tdl.path(), "--dump-templates"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, expected);
    EXPECT_GE(std::count(expected.begin(), expected.end(), '\n'), 2) << expected;
}

#ifndef _WIN32

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A folder of the test's own, so that a file left behind would show.
class ScratchFolder {
public:
    ScratchFolder() : tag_("", ""), path_(tag_.path() + ".d") { fs::create_directory(path_); }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::size_t entries() const { return std::distance(fs::directory_iterator(path_), {}); }

private:
    ScratchFile tag_;
    fs::path path_;
};

std::string fifoIn(const ScratchFolder& folder) {
    const std::string path = folder / "fifo";
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}

bool isFifo(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// Writes all of `content` to `fd`, giving up at `deadline`; SIGPIPE is held
// back on the calling thread, so a reader that leaves fails the write only.
void writeUntil(int fd, std::string_view content, Clock::time_point deadline) {
    sigset_t pipeOnly;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeOnly, nullptr);
    while (!content.empty() && Clock::now() < deadline) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written > 0) content.remove_prefix(static_cast<std::size_t>(written));
        else if (errno != EAGAIN && errno != EINTR) return;
        else std::this_thread::sleep_for(5ms);
    }
}

// Feeds `content` into the FIFO at `path` once a reader has opened it, from
// a thread of its own that gives up after ten seconds.
std::thread feedFifo(const std::string& path, const std::string& content) {
    return std::thread([path, content] {
        const Clock::time_point deadline = Clock::now() + 10s;
        int fd;
        while ((fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && Clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        if (fd < 0) return;
        writeUntil(fd, content, deadline);
        ::close(fd);
    });
}

// Reads what is written into the FIFO at `path` until the writer closes it
// (or ten seconds pass), from a thread of its own.
std::thread drainFifo(const std::string& path, std::string& into) {
    return std::thread([path, &into] {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        char buffer[4096];
        for (const Clock::time_point deadline = Clock::now() + 10s; fd >= 0 && Clock::now() < deadline;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) into.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 && !into.empty()) break;
            else std::this_thread::sleep_for(5ms);
        }
        if (fd >= 0) ::close(fd);
    });
}

// Opens and closes the FIFO at `path` for reading and writing, again and
// again, once `limit` has passed without stop(): a tool wrongly waiting for
// a writer or a reader then gets one, and fails its test instead of hanging it.
class FifoRescue {
public:
    FifoRescue(const std::string& path, std::chrono::seconds limit)
        : thread_([this, path, limit] {
              std::unique_lock lock(mutex_);
              for (auto wait = limit; !stopped_.wait_for(lock, wait, [this] { return stop_; }); wait = 1s) {
                  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
                  if (fd >= 0) ::close(fd);
              }
          }) {}
    ~FifoRescue() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        stopped_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::thread thread_;
};

// A character device to write to. Where the process may make device nodes
// (as root, the only case in which the system's own could be replaced), one
// of its own in `folder`, so that a broken tool destroys that one.
std::string characterDevice(const ScratchFolder& folder, const char* name, dev_t number) {
    const std::string own = folder / name;
    if (::mknod(own.c_str(), S_IFCHR | 0666, number) == 0) {
        if (const int fd = ::open(own.c_str(), O_WRONLY); fd >= 0) {
            ::close(fd);
            return own;
        }
        ::unlink(own.c_str());
    }
    return std::string("/dev/") + name;
}

struct RefusedInput {
    const char* name;
    bool editor;
    std::vector<std::string> args;  // "FIFO" and "FOLDER" stand for the test's own
    const char* errorPart;
};

class RefusedInputTest : public ::testing::TestWithParam<RefusedInput> {};

TEST_P(RefusedInputTest, InOneLineWithinSecondsLeavingItAsItWas) {
    const ScratchFolder folder;
    const std::string fifo = fifoIn(folder);
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args) arg = arg == "FIFO" ? fifo : arg == "FOLDER" ? folder / "" : arg;
    if (GetParam().editor) args.insert(args.end(), {"-o", folder / "out.hex"});

    const Clock::time_point start = Clock::now();
    const FifoRescue rescue(fifo, 15s);
    const ToolResult result = GetParam().editor ? runEditor(args) : runTool(args);
    EXPECT_LT(Clock::now() - start, 10s);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(GetParam().errorPart), std::string::npos) << result.err;
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_EQ(folder.entries(), 1u) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RefusedInputTest,
    ::testing::Values(
        RefusedInput{"FifoWithoutWriterAsImage", false, {"FIFO"}, "FIFO that no program opened for writing"},
        RefusedInput{"FifoWithoutWriterAsDocument", true, {"--from-json", "FIFO"}, "no program opened for writing"},
        RefusedInput{"FifoAsTemplateFile", false, {"--tdl", "FIFO", "/dev/null"}, "a FIFO, not a regular file"},
        RefusedInput{"EndlessDeviceAsTemplateFile", true, {"--tdl", "/dev/zero", "-"}, "not a regular file"},
        RefusedInput{"FolderAsTemplateFile", false, {"--tdl", "FOLDER", "-"}, "it is a directory"},
        RefusedInput{"EndlessDeviceAsImage", false, {"/dev/zero"}, "'/dev/zero' is larger than 1048576 bytes"},
        RefusedInput{"EndlessDeviceAsDocument", true, {"--from-json", "/dev/urandom"}, "larger than 16777216"},
        RefusedInput{"EmptyDeviceAsImage", false, {"/dev/null"}, "'/dev/null' is empty"}),
    [](const ::testing::TestParamInfo<RefusedInput>& info) { return std::string(info.param.name); });

TEST(FedInputTest, FifoAndPipeAreReadAsTheirWriterFillsThem) {
    const std::string image = readFile(examplePath("images/accelerometer.hex"));
    const ScratchFolder folder;
    const std::string fifo = fifoIn(folder);
    std::thread writer = feedFifo(fifo, image);
    const ToolResult fromFifo = runTool({fifo});
    writer.join();
    EXPECT_EQ(fromFifo.status, 0) << fromFifo.err;

    // As the shell hands over `<(command)`: a pipe whose writer is still at work.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    writer = std::thread([&] {
        std::this_thread::sleep_for(300ms);
        writeUntil(ends[1], image, Clock::now() + 10s);
        ::close(ends[1]);
    });
    const ToolResult fromPipe = runTool({"/dev/fd/" + std::to_string(ends[0])});
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(fromPipe.status, 0) << fromPipe.err;
    EXPECT_EQ(fromPipe.out, fromFifo.out);
    EXPECT_NE(fromPipe.out.find("Accelerometer"), std::string::npos);
}

TEST(OutputKindTest, DevicesAndFifosAreWrittenIntoNeverReplaced) {
    const std::string image = examplePath("images/accelerometer.hex");
    const ScratchFolder folder;
    const std::string null = characterDevice(folder, "null", makedev(1, 3));
    const std::string full = characterDevice(folder, "full", makedev(1, 7));
    EXPECT_EQ(runTool({"--convert", "hex", "-o", null, image}).status, 0);
    const ToolResult intoFull = runTool({"--convert", "hex", "-o", full, image});
    EXPECT_EQ(intoFull.status, 2);
    EXPECT_NE(intoFull.err.find("No space left on device"), std::string::npos) << intoFull.err;
    for (const auto& [path, number] : {std::pair{null, makedev(1, 3)}, std::pair{full, makedev(1, 7)}}) {
        struct stat status;
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode) && status.st_rdev == number) << path;
    }

    const std::string fifo = fifoIn(folder);
    const FifoRescue rescue(fifo, 15s);
    const ToolResult unread = runTool({"--convert", "hex", "-o", fifo, image});
    EXPECT_EQ(unread.status, 2);
    EXPECT_NE(unread.err.find("FIFO that no program opened for reading"), std::string::npos) << unread.err;
    std::string received;
    std::thread reader = drainFifo(fifo, received);
    EXPECT_EQ(runTool({"--convert", "hex", "-o", fifo, image}).status, 0);
    reader.join();
    EXPECT_EQ(received, readFile(image));
    EXPECT_TRUE(isFifo(fifo));
}

TEST(OutputKindTest, ALinkIsFollowedAndKept) {
    const ScratchFolder folder;
    const std::string target = folder / "target.hex";
    std::ofstream(target) << "old";
    fs::create_symlink("target.hex", folder / "near");
    fs::create_symlink(folder / "near", folder / "far");
    EXPECT_EQ(runTool({"--convert", "hex", "-o", folder / "far", examplePath("images/accelerometer.hex")}).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder / "near") && fs::is_symlink(folder / "far"));
    EXPECT_EQ(readFile(target), readFile(examplePath("images/accelerometer.hex")));
    EXPECT_EQ(folder.entries(), 3u);
}

TEST(OutputKindTest, AReplacedFileKeepsItsModeAndANewOneGetsTheUsualOne) {
    const ScratchFolder folder;
    const std::string image = folder / "private.hex";
    fs::copy_file(examplePath("images/accelerometer.hex"), image);
    fs::permissions(image, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(runEditor({image, "--set", "%CalInitials=ABC", "-o", image}).status, 0);
    EXPECT_NE(readFile(image), readFile(examplePath("images/accelerometer.hex")));
    EXPECT_EQ(fs::status(image).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    // The longest name the file system takes, beside one any program creates.
    const std::string longName = folder / (std::string(251, 'n') + ".hex");
    std::ofstream(folder / "usual") << "";
    EXPECT_EQ(runTool({"--convert", "hex", "-o", longName, image}).status, 0);
    EXPECT_EQ(fs::status(longName).permissions(), fs::status(folder / "usual").permissions());
    EXPECT_EQ(folder.entries(), 3u);
}

#endif

}  // namespace
}  // namespace tedsdump
