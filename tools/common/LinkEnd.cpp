#include "LinkEnd.hpp"

#ifndef _WIN32

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace teds_tools {
namespace {

namespace fs = std::filesystem;

// Linux's own bound on the links one lookup follows.
constexpr int kMostLinks = 40;

std::string withReason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

// Empty, with errno set, when the link cannot be read.
std::string linkText(const std::string& link) {
    std::string text(256, '\0');
    for (;;) {
        const ssize_t got = ::readlink(link.c_str(), text.data(), text.size());
        if (got < 0) return {};
        if (static_cast<std::size_t>(got) < text.size()) return text.substr(0, static_cast<std::size_t>(got));
        text.resize(text.size() * 2);
    }
}

// The descriptor N that `link` is when it is /proc/<this process>/fd/N,
// and it is open.
std::optional<int> descriptorOf(const std::string& link) {
#ifdef __linux__
    const fs::path name(link);
    std::error_code ec;
    const fs::path folder = fs::canonical(name.parent_path().empty() ? "." : name.parent_path(), ec);
    if (ec || folder != fs::path("/proc/" + std::to_string(::getpid()) + "/fd")) return std::nullopt;
    const std::string number = name.filename().string();
    int fd = -1;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), fd);
    struct stat status;
    if (error != std::errc() || end != number.data() + number.size() || ::fstat(fd, &status) != 0) return std::nullopt;
    return fd;
#else
    (void)link;
    return std::nullopt;
#endif
}

}  // namespace

LinkEnd followLinks(std::string path) {
    LinkEnd end;
    for (int links = 0; links <= kMostLinks; ++links) {
        end.path = path;
        if (::lstat(path.c_str(), &end.status) != 0) {
            if (errno != ENOENT) end.error = withReason("cannot be examined", errno);
            return end;
        }
        end.exists = true;
        if (!S_ISLNK(end.status.st_mode)) return end;
        if ((end.ownDescriptor = descriptorOf(path))) return end;
        const fs::path text = linkText(path);
        if (text.empty()) {
            end.error = withReason("its link cannot be read", errno);
            return end;
        }
        // A relative link names a path from the link's own folder.
        path = text.is_absolute() ? text.string() : (fs::path(path).parent_path() / text).string();
        end.exists = false;
    }
    end.error = "it is reached through more than " + std::to_string(kMostLinks) + " symbolic links";
    return end;
}

}  // namespace teds_tools

#endif
