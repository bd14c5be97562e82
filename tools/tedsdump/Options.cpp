#include "Options.hpp"

namespace tedsdump {

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

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" alone names standard input; after "--" every argument is a path.
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (!takeImage(arg)) return fail("more than one image given ('" + options.imagePath + "' and '" + arg + "')");
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--tdl") {
            if (i + 1 == args.size()) return fail("--tdl needs a file name");
            options.tdlFiles.push_back(args[++i]);
        } else if (arg.rfind("--tdl=", 0) == 0) {
            if (arg.size() == 6) return fail("--tdl needs a file name");
            options.tdlFiles.push_back(arg.substr(6));
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
    return parsed;
}

std::string usageText() {
    return "Usage: tedsdump [--tdl FILE]... [--json] [--dump-templates] [--trace] [IMAGE]\n"
           "Decodes an IEEE 1451.4 TEDS image and prints what the sensor says.\n"
           "\n"
           "  IMAGE              raw bytes, or hexadecimal text (pairs of hex digits, optionally\n"
           "                     separated by blanks, commas or line breaks, optionally prefixed 0x);\n"
           "                     '-' or none reads standard input\n"
           "  --tdl FILE         load templates from FILE (repeatable, in order); without it the\n"
           "                     bundled IEEE standard templates are used\n"
           "  --json             print one JSON document instead of the table\n"
           "  --dump-templates   print the loaded templates; without IMAGE, only that\n"
           "  --trace            print the decoder's trace before the result\n"
           "  -h, --help         print this text\n"
           "\n"
           "With --json, the dump and the trace go to standard error, so that standard output\n"
           "holds the JSON document alone.\n"
           "Exit status: 0 when the image was decoded (even if no template matched), 2 for a\n"
           "usage error, an unreadable file, or input that is neither hexadecimal text nor an image.\n";
}

}  // namespace tedsdump
