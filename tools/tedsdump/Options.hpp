#pragma once
// The command line of tedsdump.

#include <optional>
#include <string>
#include <vector>

#include "CommandLine.hpp"
#include "teds_container.hpp"
#include "teds_scale.hpp"

namespace tedsdump {

struct Options {
    std::vector<std::string> tdlFiles;  // loaded in this order; none means the bundled templates
    std::string imagePath = "-";        // "-" reads standard input
    bool imageGiven = false;
    bool json = false;
    bool dumpTemplates = false;
    bool trace = false;
    bool help = false;
    std::optional<teds::container::Format> inputFormat;  // none: worked out from the content
    std::optional<teds::container::Format> convertTo;    // write the image in this format instead of decoding it
    std::string outputPath;                              // where --convert writes
    bool scale = false;                                  // add each template's scale
    teds::scale::ChannelConditions conditions;           // what the scales are given
};

using ParsedOptions = teds_tools::ParsedCommandLine<Options>;

// `args` holds the arguments without the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace tedsdump
