#pragma once
// The files an inventory reads: the images named, and the files of the
// folders named, in a fixed order.

#include <string>
#include <vector>

namespace tedsdump {

struct ImageFile {
    std::string path;   // as named, or the folder's path joined with the file's name
    bool inFolder = false;  // found in a folder, not named: only a regular file is read
    std::string error;  // why a folder could not be listed; empty for a file to read
};

// Each argument that is a folder gives its files (the names starting with
// '.' left out), sorted by name, and with `recursive` the files of the
// folders inside it, which are not followed through symbolic links. Any
// other argument is a file, or standard input for "-".
std::vector<ImageFile> imageFiles(const std::vector<std::string>& arguments, bool recursive);

// Whether `path` names a folder.
bool isFolder(const std::string& path);

}  // namespace tedsdump
