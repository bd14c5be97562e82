#pragma once
// Runs tedsdump, tedsedit and tedsscale in-process and keeps what it wrote; writes scratch files.

#include <atomic>
#include <cstdint>
#include <random>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EditRun.hpp"
#include "Run.hpp"
#include "ScaleRun.hpp"

namespace tedsdump::testing {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

template <class Run>
ToolResult runWith(Run run, const std::vector<std::string>& args, const std::string& standardInput) {
    std::istringstream in(standardInput);
    std::ostringstream out;
    std::ostringstream err;
    ToolResult result;
    result.status = run(args, in, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

inline ToolResult runTool(const std::vector<std::string>& args, const std::string& standardInput = "") {
    return runWith(runTedsdump, args, standardInput);
}

inline ToolResult runEditor(const std::vector<std::string>& args, const std::string& standardInput = "") {
    return runWith(tedsedit::runTedsedit, args, standardInput);
}

inline ToolResult runScaler(const std::vector<std::string>& args, const std::string& standardInput = "") {
    return runWith(tedsscale::runTedsscale, args, standardInput);
}

inline std::string examplePath(const std::string& relative) { return std::string(TEDS_EXAMPLES_DIR) + "/" + relative; }

inline std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A file in the temporary folder that is removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& content, const std::string& suffix = ".txt") {
        // Test processes may run side by side: a random tag keeps their files apart.
        static const std::uint32_t tag = std::random_device{}();
        static std::atomic<int> counter{0};
        path_ = (std::filesystem::temp_directory_path() /
                 ("tedsdump-test-" + std::to_string(tag) + "-" + std::to_string(counter++) + suffix))
                    .string();
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The lines of `text` that start with `prefix`.
inline std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

}  // namespace tedsdump::testing
