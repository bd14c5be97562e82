#include "Run.hpp"

#include "ImageInput.hpp"
#include "Options.hpp"
#include "ReplaceFile.hpp"
#include "TableOutput.hpp"
#include "TemplateLoading.hpp"
#include "teds_api.hpp"

namespace tedsdump {
namespace {

using teds_tools::ImageOrError;
using teds_tools::loadTemplates;
using teds_tools::readImageAt;
using teds_tools::replaceFile;

ImageOrError readImageFrom(const Options& options, std::istream& in) {
    return readImageAt(options.imagePath, options.inputFormat, in);
}

std::string sourceName(const Options& options) { return teds_tools::sourceName(options.imagePath); }

int convertImage(const Options& options, std::istream& in, std::ostream& err) {
    const ImageOrError image = readImageFrom(options, in);
    if (!image.ok()) {
        err << "tedsdump: " << sourceName(options) << ' ' << image.error << '\n';
        return kExitFailure;
    }
    const std::string content = teds::container::writeContainer(image.image, *options.convertTo, image.textStyle());
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

    teds::api::Templates templates;
    if (!loadTemplates(options.tdlFiles, templates, err, "tedsdump")) return kExitFailure;

    // Standard output carries the JSON document alone; what else was asked
    // for goes beside it.
    std::ostream& side = options.json ? err : out;
    if (options.dumpTemplates) {
        side << templates.dump();
        if (!options.imageGiven) return kExitDecoded;
        side << '\n';
    }

    const ImageOrError image = readImageFrom(options, in);
    if (!image.ok()) {
        err << "tedsdump: " << sourceName(options) << ' ' << image.error << '\n';
        return kExitFailure;
    }

    const teds::api::Teds teds(templates, image.image);
    if (options.trace) side << teds.trace() << '\n';

    if (!options.json) {
        writeTable(out, teds, teds_tools::containerText(image), options.scale ? &options.conditions : nullptr);
        return kExitDecoded;
    }
    const teds::api::ImageSource source = image.source();
    const std::string document =
        options.scale ? teds.document(source, options.conditions) : teds.document(source);
    // An image of many records can make a document tedsedit would refuse to read.
    if (document.size() > teds::api::kMaxDocumentBytes) {
        err << "tedsdump: " << sourceName(options) << " makes a JSON document of " << document.size()
            << " bytes, more than the " << teds::api::kMaxDocumentBytes
            << " a document may have (the table shows it whole)\n";
        return kExitFailure;
    }
    out << document;
    return kExitDecoded;
}

}  // namespace tedsdump
