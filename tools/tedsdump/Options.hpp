#pragma once
// The command line of tedsdump.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.hpp"
#include "teds_container.hpp"
#include "teds_scale.hpp"

namespace tedsdump {

struct Options {
    std::vector<std::string> tdlFiles;  // loaded in this order; none means the bundled templates
    std::vector<std::string> images;    // files or folders; "-" reads standard input
    bool json = false;
    bool dumpTemplates = false;
    bool trace = false;
    bool help = false;
    std::optional<teds::container::Format> inputFormat;  // none: worked out from the content
    std::optional<teds::container::Format> convertTo;    // write the image in this format instead of decoding it
    std::string outputPath;                              // where --convert writes
    bool scale = false;                                  // add each template's scale
    teds::scale::ChannelConditions conditions;           // what the scales are given

    // An inventory: a row for each image, as a table or as one of these.
    bool csv = false;
    bool jsonl = false;
    bool recursive = false;          // descend into the folders' folders
    bool check = false;              // look for problems in a single image too
    std::optional<std::int64_t> today;  // the day calibrations are checked against; none: the clock's
    std::string expectPath;          // the CSV of the sensors expected; empty for none

    bool imageGiven() const { return !images.empty(); }
    // The one image of a decode or a conversion.
    const std::string& imagePath() const { return images.empty() ? kStandardInput : images.front(); }
    // Checks asked for, directly or by what only they use.
    bool checks() const { return check || today || !expectPath.empty(); }

    static inline const std::string kStandardInput = "-";
};

using ParsedOptions = teds_tools::ParsedCommandLine<Options>;

// `args` holds the arguments without the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usageText();

// An option that a list of images does not take, as the refusal names it;
// empty when there is none.
std::string inventoryConflict(const Options& options);

}  // namespace tedsdump
