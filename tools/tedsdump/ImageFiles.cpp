#include "ImageFiles.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tedsdump {
namespace {

namespace fs = std::filesystem;

bool hidden(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name[0] == '.';
}

void listFolder(const fs::path& folder, bool recursive, std::vector<ImageFile>& out) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (!hidden(it->path())) entries.push_back(*it);
    if (error) {
        out.push_back({folder.string(), false, "cannot be listed: " + error.message()});
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& entry : entries) {
        std::error_code kind;
        // A link to a folder is not followed: it could lead back up the tree.
        if (entry.is_directory(kind) && !entry.is_symlink(kind)) {
            if (recursive) listFolder(entry.path(), recursive, out);
            continue;
        }
        if (!entry.is_directory(kind)) out.push_back({entry.path().string(), true, ""});
    }
}

}  // namespace

bool isFolder(const std::string& path) {
    std::error_code error;
    return path != "-" && fs::is_directory(fs::path(path), error);
}

std::vector<ImageFile> imageFiles(const std::vector<std::string>& arguments, bool recursive) {
    std::vector<ImageFile> files;
    for (const std::string& argument : arguments) {
        if (isFolder(argument))
            listFolder(fs::path(argument), recursive, files);
        else
            files.push_back({argument, false, ""});
    }
    return files;
}

}  // namespace tedsdump
