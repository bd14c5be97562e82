#include "Options.hpp"

#include "ChannelOptions.hpp"
#include "teds_api.hpp"

namespace tedsdump {
namespace {

using teds_tools::formatOption;
using teds_tools::optionValue;

// What a conversion leaves out: it writes a file and decodes nothing.
std::string conflictWithConvert(const Options& options) {
    if (options.json) return "--json";
    if (options.csv) return "--csv";
    if (options.jsonl) return "--jsonl";
    if (options.checks()) return "--check";
    if (options.trace) return "--trace";
    if (options.dumpTemplates) return "--dump-templates";
    if (options.scale) return "--scale";
    if (!options.tdlFiles.empty()) return "--tdl";
    return "";
}

}  // namespace

std::string inventoryConflict(const Options& options) {
    if (options.json) return "--json (--jsonl writes a document a line)";
    if (options.trace) return "--trace";
    if (options.dumpTemplates) return "--dump-templates";
    if (options.convertTo) return "--convert";
    if (options.scale && !options.jsonl) return "--scale without --jsonl";
    return "";
}

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    std::size_t i = 0;

    std::string channelGiven;  // the first option that only a scale uses
    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" alone names standard input; after "--" every argument is a path.
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.images.push_back(arg);
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
        } else if (auto today = optionValue(args, i, "--today")) {
            options.today = teds::api::dayNumber(*today);
            if (!options.today) return fail("--today needs a date written YYYY-MM-DD, not '" + *today + "'");
        } else if (auto expect = optionValue(args, i, "--expect")) {
            if (expect->empty()) return fail("--expect needs a file name");
            options.expectPath = *expect;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--jsonl") {
            options.jsonl = true;
        } else if (arg == "--recursive" || arg == "-r") {
            options.recursive = true;
        } else if (arg == "--check") {
            options.check = true;
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
    if (options.csv && options.jsonl) return fail("--csv and --jsonl each choose the output, so only one of them goes");
    if (options.convertTo && options.images.size() > 1) return fail("--convert writes one image, and more were given");
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
        "                [--scale [--cjc DEGC] [--excitation VOLTS] [--r0 OHMS]] [CHECKS] [IMAGE]\n"
        "       tedsdump [--tdl FILE]... [--csv | --jsonl] [--recursive] [--input-format FORMAT]\n"
        "                [CHECKS] IMAGE|FOLDER...\n"
        "       tedsdump [--input-format FORMAT] --convert FORMAT -o FILE [IMAGE]\n"
        "Decodes an IEEE 1451.4 TEDS image and prints what the sensor says, or writes the\n"
        "image in another container format. Given several images or a folder, it lists\n"
        "them instead: one row per image, its problems included.\n"
        "\n"
        "  IMAGE              the image in one of the formats below, told apart by content;\n"
        "                     '-' or none reads standard input\n"
        "  FOLDER             every file in it whose name does not start with '.'\n"
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
        "Lists:\n"
        "  (default)          a table: file, container, manufacturer ID, model number, version\n"
        "                     letter and number, serial number, template IDs, calibration date,\n"
        "                     period and due date, problems\n"
        "  --csv              the same columns as CSV, a header line first\n"
        "  --jsonl            JSON Lines: each image's --json document on one line, with\n"
        "                     \"file\" and \"problems\" added; --scale may go with it\n"
        "  -r, --recursive    read the folders inside the folders too\n"
        "\n"
        "Checks (always made in a list; --check makes them for a single image):\n"
        "  --check            name each problem: unreadable, no-image, damaged-container (an\n"
        "                     EEPROM page whose checksum fails), truncated (the image ends\n"
        "                     inside a template), unsupported-template (a template ID no\n"
        "                     loaded file holds), template-left-out (a template that did not\n"
        "                     decode), calibration-due, mismatch, missing\n"
        "  --today DATE       check calibrations due before DATE (YYYY-MM-DD), not today\n"
        "  --expect FILE      a CSV of the sensors expected: a header line naming a 'file' or\n"
        "                     'channel' column (a file name without its extension) and any\n"
        "                     of 'manufacturer id', 'model number' and 'serial number' (or\n"
        "                     'manufacturer', 'model', 'serial'); a list from --csv will do\n"
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
        "converted, and, in a list or with checks, no image had a problem; 1 when one had;\n"
        "2 for a usage error, templates that cannot be loaded and, for a single image, an\n"
        "unreadable file, input that is no image or a damaged one, or a file that cannot\n"
        "be written.\n";
    return text;
}

}  // namespace tedsdump
