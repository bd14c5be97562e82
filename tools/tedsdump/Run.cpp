#include "Run.hpp"

#include <sstream>

#include "ImageInput.hpp"
#include "JsonOutput.hpp"
#include "Options.hpp"
#include "ReplaceFile.hpp"
#include "TableOutput.hpp"
#include "TemplateLoading.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Registry.hpp"
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

    teds::tdl::Registry registry;
    if (!loadTemplates(options.tdlFiles, registry, err, "tedsdump")) return kExitFailure;

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
    teds::decode::ChainTrace trace;
    teds::decode::decodeTeds(registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                             options.trace ? &trace : nullptr, decoded);
    if (options.trace) {
        teds::decode::writeTrace(side, decoded.basic, trace);
        side << '\n';
    }

    if (!options.json) {
        writeTable(out, decoded, teds_tools::containerText(image));
        return kExitDecoded;
    }
    std::ostringstream document;
    writeJson(document, decoded, teds::container::formatName(image.container),
              image.heldAsHexText() ? std::optional<bool>(image.upperCase) : std::nullopt,
              image.container == teds::container::Format::Eeprom ? std::optional<std::uint32_t>(image.pages)
                                                                 : std::nullopt,
              teds::encode::layoutOf(decoded, image.image));
    // An image of many records can make a document tedsedit would refuse to read.
    if (const std::size_t size = document.view().size(); size > teds::api::kMaxDocumentBytes) {
        err << "tedsdump: " << sourceName(options) << " makes a JSON document of " << size << " bytes, more than the "
            << teds::api::kMaxDocumentBytes << " a document may have (the table shows it whole)\n";
        return kExitFailure;
    }
    out << document.view();
    return kExitDecoded;
}

}  // namespace tedsdump
