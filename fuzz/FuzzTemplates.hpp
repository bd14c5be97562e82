#pragma once
// The example templates every image fuzzer decodes against, loaded once.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace teds::fuzz {

// Every .tdl file of the example templates folder, in name order.
inline std::vector<std::string> exampleTemplateFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TEDS_EXAMPLE_TEMPLATES_DIR))
        if (entry.path().extension() == ".tdl") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace teds::fuzz
