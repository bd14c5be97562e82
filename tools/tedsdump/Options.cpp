#include "Options.hpp"

#include "ChannelOptions.hpp"

namespace tedsdump {
namespace {

using teds_tools::formatOption;
using teds_tools::optionValue;

// What a conversion leaves out: it writes a file and decodes nothing.
std::string conflictWithConvert(const Options& options) {
    if (options.json) return "--json";
    if (options.trace) return "--trace";
    if (options.dumpTemplates) return "--dump-templates";
    if (options.scale) return "--scale";
    if (!options.tdlFiles.empty()) return "--tdl";
    return "";
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    auto takeImage = [&](const std::string& path) {
        if (options.imageGiven) return false;
        options.imagePath = path;
        options.imageGiven = true;
        return true;
    };
    std::size_t i = 0;

    std::string channelGiven;  // the first option that only a scale uses
    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" alone names standard input; after "--" every argument is a path.
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (!takeImage(arg)) return fail("more than one image given ('" + options.imagePath + "' and '" + arg + "')");
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (auto tdl = optionValue(args, i, "--tdl")) {
            if (tdl->empty()) return fail("--tdl needs a file name");
            options.tdlFiles.push_back(*tdl);
        } else if (auto input = optionValue(args, i, "--input-format")) {
            if (auto error = formatOption("--input-format", *input, options.inputFormat); !error.empty()) return fail(error);
        } else if (auto convert = optionValue(args, i, "--convert")) {
            if (auto error = formatOption("--convert", *convert, options.convertTo); !error.empty()) return fail(error);
        } else if (auto output = arg == "-o" ? optionValue(args, i, "-o") : optionValue(args, i, "--output")) {
            if (output->empty()) return fail(arg.substr(0, arg.find('=')) + " needs a file name");
            options.outputPath = *output;
        } else if (auto channel = teds_tools::channelOption(args, i, options.conditions)) {
            if (!channel->error.empty()) return fail(channel->error);
            if (channelGiven.empty()) channelGiven = channel->name;
        } else if (arg == "--scale") {
            options.scale = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--dump-templates") {
            options.dumpTemplates = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (!channelGiven.empty() && !options.scale) return fail(channelGiven + " is given to the scales, so it goes with --scale");
    if (options.convertTo && options.outputPath.empty()) return fail("--convert needs -o FILE to write to");
    if (!options.convertTo && !options.outputPath.empty()) return fail("-o is for --convert, which names the format to write");
    if (options.convertTo) {
        if (const std::string conflict = conflictWithConvert(options); !conflict.empty())
            return fail("--convert writes a file and decodes nothing, so " + conflict + " does not go with it");
    }
    return parsed;
}

std::string usageText() {
    std::string text =
        "Usage: tedsdump [--tdl FILE]... [--json] [--dump-templates] [--trace] [--input-format FORMAT]\n"
        "                [--scale [--cjc DEGC] [--excitation VOLTS] [--r0 OHMS]] [IMAGE]\n"
        "       tedsdump [--input-format FORMAT] --convert FORMAT -o FILE [IMAGE]\n"
        "Decodes an IEEE 1451.4 TEDS image and prints what the sensor says, or writes the\n"
        "image in another container format.\n"
        "\n"
        "  IMAGE              the image in one of the formats below, told apart by content;\n"
        "                     '-' or none reads standard input\n"
        "  --tdl FILE         load templates from FILE (repeatable, in order); without it the\n"
        "                     bundled IEEE standard templates are used\n"
        "  --json             print one JSON document instead of the table\n"
        "  --dump-templates   print the loaded templates; without IMAGE, only that\n"
        "  --trace            print the decoder's trace before the result\n"
        "  --scale            add how each template turns its electrical value into the\n"
        "                     physical one, or why it does not; these go with it:\n";
    text += teds_tools::kChannelOptionsUsage;
    text +=
        "  --input-format F   read IMAGE as format F instead of working it out\n"
        "  --convert F        write the image in format F instead of decoding it\n"
        "  -o, --output FILE  the file --convert writes; it is replaced only once complete\n"
        "  -h, --help         print this text\n"
        "\n"
        "Formats:\n"
        "  raw     the image bytes\n"
        "  hex     pairs of hex digits, optionally separated by blanks, commas or line\n"
        "          breaks, optionally prefixed 0x; upper-case input is written upper case\n"
        "  ted     a virtual TEDS file: the header [v03], then one byte 0 or 1 per bit\n"
        "  eeprom  a 1-Wire EEPROM dump in 32-byte pages, each opened by a checksum byte;\n"
        "          read as raw bytes or hex text, written as raw bytes unless read as hex text\n"
        "  bits    text of one 0 or 1 per bit, optionally separated\n"
        "\n"
        "With --json, the dump and the trace go to standard error, so that standard output\n"
        "holds the JSON document alone.\n"
        "Exit status: 0 when the image was decoded (even if no template matched) or\n"
        "converted, 2 for a usage error, an unreadable file, input that is no image or a\n"
        "damaged one (an EEPROM page whose checksum fails), or a file that cannot be written.\n";
    return text;
}

}  // namespace tedsdump
