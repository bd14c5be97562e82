#include "ScaleOptions.hpp"

#include <charconv>

#include "ChannelOptions.hpp"

namespace tedsscale {
namespace {

using teds_tools::optionValue;

// A whole number from `least` up; none for anything else.
template <class Whole>
std::optional<Whole> wholeFrom(const std::string& text, Whole least) {
    Whole value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < least) return std::nullopt;
    return value;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // After the image a negative number is a value, not an option.
        const bool positional = optionsEnded || arg == "-" || arg.empty() || arg[0] != '-' ||
                                (options.imageGiven && teds_tools::numberFrom(arg));
        if (positional) {
            if (options.imageGiven)
                options.values.push_back(arg);
            else
                options.imagePath = arg;
            options.imageGiven = true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (auto tdl = optionValue(args, i, "--tdl")) {
            if (tdl->empty()) return fail("--tdl needs a file name");
            options.tdlFiles.push_back(*tdl);
        } else if (auto channel = teds_tools::channelOption(args, i, options.conditions)) {
            if (!channel->error.empty()) return fail(channel->error);
        } else if (auto index = optionValue(args, i, "--template")) {
            options.templateIndex = wholeFrom<std::uint32_t>(*index, 0);
            if (!options.templateIndex)
                return fail("--template takes the template's place in the image, from 0, not '" + *index + "'");
        } else if (auto column = optionValue(args, i, "--column")) {
            options.column = wholeFrom<std::size_t>(*column, 1);
            if (!options.column) return fail("--column takes a field number from 1, not '" + *column + "'");
        } else if (arg == "--inverse") {
            options.inverse = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (options.help) return parsed;
    if (!options.imageGiven) return fail("no image given");
    if (options.column && !options.values.empty()) return fail("--column picks a field of standard input's lines, "
                                                                "so it does not go with values given as arguments");
    if (options.imagePath == "-" && options.values.empty())
        return fail("the image is read from standard input, so the values must be given as arguments");
    return parsed;
}

std::string usageText() {
    std::string text =
        "Usage: tedsscale [--tdl FILE]... IMAGE [--template N] [--cjc DEGC] [--excitation VOLTS]\n"
        "                 [--r0 OHMS] [--inverse] [--column K] [VALUE...]\n"
        "Converts the electrical values a channel measures into the physical values its\n"
        "sensor senses, with the scale the sensor's TEDS image states.\n"
        "\n"
        "  IMAGE              the image in any format tedsdump reads; '-' reads standard\n"
        "                     input, and the values are then given as arguments\n"
        "  VALUE              a value to convert; without any, one value per line is read\n"
        "                     from standard input (blank lines are passed over)\n"
        "  --tdl FILE         load templates from FILE (repeatable, in order); without it the\n"
        "                     bundled IEEE standard templates are used\n"
        "  --template N       use the image's template N, counted from 0 in the order\n"
        "                     tedsdump lists them; without it, the first one with a scale\n";
    text += teds_tools::kChannelOptionsUsage;
    text +=
        "  --inverse          convert physical values into electrical ones\n"
        "  --column K         read field K (from 1) of comma-separated lines; fields are\n"
        "                     split at every comma, without quoting. A first line whose\n"
        "                     field K is not a number is taken for a header and skipped\n"
        "  -h, --help         print this text\n"
        "\n"
        "Units: electrical values in volts, amperes or ohms, as the scale states them: a\n"
        "thermocouple's emf in volts (0.004096, not 4.096 mV), a bridge's output in V/V, or\n"
        "in V with --excitation; an RTD or a thermistor in ohms. Physical values are in the\n"
        "scale's output unit: the template's (SI where it states one), temperatures in\n"
        "degC. tedsdump --scale IMAGE shows each template's scale and units.\n"
        "\n"
        "Output: one value per line, in the order given, as the shortest text that reads\n"
        "back exactly. A value that cannot be converted (not a number, outside the scale's\n"
        "range, a thermocouple without --cjc) is printed as nan, and the reason goes to\n"
        "standard error as 'tedsscale: VALUE: REASON'.\n"
        "Exit status: 0 when every value was converted, 1 when some was printed as nan,\n"
        "2 for a usage error, an unreadable file, input that is no image, or an image\n"
        "whose templates give no scale (each template's reason is then written).\n";
    return text;
}

}  // namespace tedsscale
