#include "Run.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ImageInput.hpp"
#include "JsonOutput.hpp"
#include "Options.hpp"
#include "ReplaceFile.hpp"
#include "TableOutput.hpp"
#include "TemplateLoading.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"

namespace tedsdump {
namespace {

ImageOrError readImageFrom(const Options& options, std::istream& in) {
    if (options.imagePath == "-") return readImage(in, options.inputFormat);
    ImageOrError failed;
    std::error_code ec;
    if (std::filesystem::is_directory(options.imagePath, ec)) {
        failed.error = "cannot be read: it is a directory";
        return failed;
    }
    std::ifstream file(options.imagePath, std::ios::binary);
    if (!file) {
        failed.error = std::string("cannot be opened: ") + std::strerror(errno);
        return failed;
    }
    return readImage(file, options.inputFormat);
}

std::string sourceName(const Options& options) {
    return options.imagePath == "-" ? std::string("standard input") : "'" + options.imagePath + "'";
}

int convertImage(const Options& options, std::istream& in, std::ostream& err) {
    const ImageOrError image = readImageFrom(options, in);
    if (!image.ok()) {
        err << "tedsdump: " << sourceName(options) << ' ' << image.error << '\n';
        return kExitFailure;
    }
    const std::string content = teds::container::writeContainer(image.image, *options.convertTo);
    if (const std::string error = replaceFile(options.outputPath, content); !error.empty()) {
        err << "tedsdump: '" << options.outputPath << "' was not written: " << error << '\n';
        return kExitFailure;
    }
    return kExitDecoded;
}

}  // namespace

int runTedsdump(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.ok()) {
        err << "tedsdump: " << parsed.error << " (tedsdump --help shows the usage)\n";
        return kExitFailure;
    }
    const Options& options = parsed.options;
    if (options.help) {
        out << usageText();
        return kExitDecoded;
    }
    if (options.convertTo) return convertImage(options, in, err);

    teds::tdl::Registry registry;
    if (!loadTemplates(options.tdlFiles, registry, err)) return kExitFailure;

    // Standard output carries the JSON document alone; what else was asked
    // for goes beside it.
    std::ostream& side = options.json ? err : out;
    if (options.dumpTemplates) {
        for (const teds::tdl::Template* tmpl : registry.templates()) tmpl->dump(side, "");
        if (!options.imageGiven) return kExitDecoded;
        side << '\n';
    }

    const ImageOrError image = readImageFrom(options, in);
    if (!image.ok()) {
        err << "tedsdump: " << sourceName(options) << ' ' << image.error << '\n';
        return kExitFailure;
    }

    teds::decode::DecodedTeds decoded;
    const std::vector<std::uint8_t>& bytes = image.image.bytes;
    teds::decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                             options.trace ? &side : nullptr, decoded);
    if (options.trace) side << '\n';

    if (options.json)
        writeJson(out, decoded, teds::container::formatName(image.container));
    else
        writeTable(out, decoded, containerText(image));
    return kExitDecoded;
}

}  // namespace tedsdump
