#pragma once
// A temporary file open for writing only, to make reads from it fail.

#include <cstdio>
#include <filesystem>
#include <string>

namespace teds::testing {

class WriteOnlyFile {
public:
    explicit WriteOnlyFile(const std::string& name)
        : path_((std::filesystem::temp_directory_path() / name).string()), file_(std::fopen(path_.c_str(), "w")) {}
    ~WriteOnlyFile() {
        if (file_ != nullptr) std::fclose(file_);
        std::filesystem::remove(path_);
    }
    WriteOnlyFile(const WriteOnlyFile&) = delete;
    WriteOnlyFile& operator=(const WriteOnlyFile&) = delete;

    std::FILE* get() const { return file_; }

    // Whether this C library reports reading the stream as an error; some
    // (msvcrt) report an end of file instead.
    bool readFails() const {
        char probe = 0;
        const bool failed = std::fread(&probe, 1, 1, file_) == 0 && std::ferror(file_) != 0;
        std::clearerr(file_);
        return failed;
    }

private:
    std::string path_;
    std::FILE* file_;
};

}  // namespace teds::testing
