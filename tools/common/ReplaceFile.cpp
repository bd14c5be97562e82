#include "ReplaceFile.hpp"

#include <filesystem>
#include <fstream>
#include <random>

namespace teds_tools {
namespace {

namespace fs = std::filesystem;

// A name in the target's folder, so the rename stays on one volume, which is
// what makes it replace the old file in one step. std::filesystem::rename
// replaces an existing file on Windows too (MoveFileExW with
// MOVEFILE_REPLACE_EXISTING in the mingw-w64 runtime).
fs::path scratchPathBeside(const fs::path& target) {
    // A fresh random number per call keeps two writers apart without any
    // state shared between calls.
    std::random_device random;
    return target.parent_path() /
           ("." + target.filename().string() + ".teds-" + std::to_string(random()) + "-" + std::to_string(random()) + ".tmp");
}

}  // namespace

std::string replaceFile(const std::string& path, std::string_view content) {
    const fs::path target(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return "it is a directory";
    const fs::path scratch = scratchPathBeside(target);
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot create a file in its folder";
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            fs::remove(scratch, ec);
            return "writing failed";
        }
    }
    fs::rename(scratch, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(scratch, ec);
        return "cannot be replaced: " + reason;
    }
    return {};
}

}  // namespace teds_tools
