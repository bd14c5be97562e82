#pragma once
// The command line of tedsscale.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.hpp"
#include "teds_scale.hpp"

namespace tedsscale {

struct Options {
    std::vector<std::string> tdlFiles;  // loaded in this order; none means the bundled templates
    std::string imagePath;              // "-" reads standard input
    bool imageGiven = false;
    std::optional<std::uint32_t> templateIndex;  // none: the first template that has a scale
    teds::scale::ChannelConditions conditions;
    bool inverse = false;                // physical values in, electrical out
    std::optional<std::size_t> column;   // the field of comma-separated lines, from 1
    std::vector<std::string> values;     // none: one per line of standard input
    bool help = false;
};

using ParsedOptions = teds_tools::ParsedCommandLine<Options>;

// `args` holds the arguments without the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace tedsscale
