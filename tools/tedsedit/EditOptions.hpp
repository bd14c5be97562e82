#pragma once
// The command line of tedsedit.

#include <optional>
#include <string>
#include <vector>

#include "CommandLine.hpp"
#include "teds_api.hpp"
#include "teds_container.hpp"

namespace tedsedit {

struct Options {
    std::vector<std::string> tdlFiles;  // loaded in this order; none means the bundled templates
    std::string imagePath;              // the image to edit; "-" reads standard input
    std::string jsonPath;               // the document to build an image from; "-" reads standard input
    std::vector<teds::api::Setting> settings;
    teds::api::EncodeOptions encode;
    std::optional<teds::container::Format> inputFormat;   // none: worked out from the content
    std::optional<teds::container::Format> outputFormat;  // none: the input's
    std::string outputPath;
    bool help = false;
};

using ParsedOptions = teds_tools::ParsedCommandLine<Options>;

// `args` holds the arguments without the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace tedsedit
