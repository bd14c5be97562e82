#include "EditOptions.hpp"

namespace tedsedit {
namespace {

using teds_tools::formatOption;
using teds_tools::optionValue;

std::optional<teds::Access> accessFromName(const std::string& name) {
    if (name == "ID") return teds::Access::Id;
    if (name == "CAL") return teds::Access::Calibration;
    if (name == "USR") return teds::Access::User;
    return std::nullopt;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    std::size_t i = 0;
    bool accessGiven = false;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-" || arg.empty() || arg[0] != '-') {
            if (!options.imagePath.empty()) return fail("more than one image given ('" + options.imagePath + "' and '" + arg + "')");
            options.imagePath = arg;
        } else if (auto tdl = optionValue(args, i, "--tdl")) {
            if (tdl->empty()) return fail("--tdl needs a file name");
            options.tdlFiles.push_back(*tdl);
        } else if (auto set = optionValue(args, i, "--set")) {
            const std::size_t equals = set->find('=');
            if (equals == std::string::npos || equals == 0) return fail("--set takes NAME=VALUE, not '" + *set + "'");
            options.settings.push_back({set->substr(0, equals), set->substr(equals + 1)});
        } else if (auto access = optionValue(args, i, "--access")) {
            const auto level = accessFromName(*access);
            if (!level) return fail("--access takes ID, CAL or USR, not '" + *access + "'");
            options.encode.access = *level;
            accessGiven = true;
        } else if (auto json = optionValue(args, i, "--from-json")) {
            if (json->empty()) return fail("--from-json needs a file name");
            options.jsonPath = *json;
        } else if (auto input = optionValue(args, i, "--input-format")) {
            if (auto error = formatOption("--input-format", *input, options.inputFormat); !error.empty()) return fail(error);
        } else if (auto output = optionValue(args, i, "--output-format")) {
            if (auto error = formatOption("--output-format", *output, options.outputFormat); !error.empty()) return fail(error);
        } else if (auto path = arg == "-o" ? optionValue(args, i, "-o") : optionValue(args, i, "--output")) {
            if (path->empty()) return fail(arg.substr(0, arg.find('=')) + " needs a file name");
            options.outputPath = *path;
        } else if (arg == "--strict") {
            options.encode.strict = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (options.help) return parsed;
    if (options.imagePath.empty() == options.jsonPath.empty())
        return fail("give either an IMAGE to edit or --from-json FILE to build one from");
    if (!options.jsonPath.empty() && options.inputFormat) return fail("--input-format is for an IMAGE, not --from-json");
    if (accessGiven && options.settings.empty()) return fail("--access limits what --set may change; no --set given");
    if (options.outputPath.empty()) return fail("-o FILE is needed: the file to write");
    return parsed;
}

std::string usageText() {
    return "Usage: tedsedit [--tdl FILE]... IMAGE --set NAME=VALUE... [--access ID|CAL|USR] [--strict]\n"
           "                [--input-format FORMAT] [--output-format FORMAT] -o FILE\n"
           "       tedsedit [--tdl FILE]... --from-json FILE [--set NAME=VALUE]... [--strict]\n"
           "                [--output-format FORMAT] -o FILE\n"
           "Changes properties of an IEEE 1451.4 TEDS image, or builds one from the JSON\n"
           "document tedsdump --json writes, and writes it to FILE in any container format.\n"
           "\n"
           "  IMAGE               the image to edit, in any format tedsdump reads; '-' reads\n"
           "                      standard input\n"
           "  --from-json FILE    build the image from this document ('-': standard input)\n"
           "  --tdl FILE          load templates from FILE (repeatable, in order); without it the\n"
           "                      bundled IEEE standard templates are used\n"
           "  --set NAME=VALUE    change a property (repeatable): reals in the property's unit,\n"
           "                      dates as YYYY-MM-DD, enumerations by text or index, texts as\n"
           "                      text, none for no value; a select case's name takes a case,\n"
           "                      a struct array's name its number of elements, ARRAY[i].NAME\n"
           "                      a property of element i (from 0)\n"
           "  --access LEVEL      the most --set may change: USR user properties, CAL also\n"
           "                      calibration ones, ID all (the default)\n"
           "  --strict            refuse a real that its field can only hold rounded\n"
           "  --input-format F    read IMAGE as format F instead of working it out\n"
           "  --output-format F   write format F: raw, hex, ted, eeprom or bits (default: the\n"
           "                      input's, for --from-json the document's container); hex\n"
           "                      digits keep the input's case, a dump given as hex text stays so\n"
           "  -o, --output FILE   the file to write; it is replaced only once complete\n"
           "  -h, --help          print this text\n"
           "\n"
           "Nothing is written unless every value fits its field and the image written reads\n"
           "back as given. Exit status: 0 when FILE was written (values moved onto their\n"
           "field's grid are reported on standard error), 2 otherwise, with one line per problem.\n";
}

}  // namespace tedsedit
