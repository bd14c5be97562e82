#include "EditRun.hpp"

#include "EditOptions.hpp"
#include "ImageInput.hpp"
#include "InputFile.hpp"
#include "ReplaceFile.hpp"
#include "TemplateLoading.hpp"
#include "teds_api.hpp"

namespace tedsedit {
namespace {

using teds::container::Format;
using teds::api::Encoded;

constexpr const char* kTool = "tedsedit: ";

// The container the new image goes into, spelled as the input was.
struct OutputContainer {
    Format format = Format::Hex;
    teds::container::TextStyle style;
};

int refuse(std::ostream& err, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) err << kTool << problem << '\n';
    return kExitFailure;
}

constexpr teds_tools::InputRules kDocumentRules{.maxBytes = teds::api::kMaxDocumentBytes,
                                               .beyondLimit = "more than tedsdump --json writes"};

Encoded fromDocument(const teds::api::Templates& templates, const Options& options, std::istream& in, OutputContainer& output,
                     std::ostream& err, bool& failed) {
    const teds_tools::InputOrError text = options.jsonPath == "-"
                                              ? teds_tools::readInputStream(in, kDocumentRules)
                                              : teds_tools::readInputFile(options.jsonPath, kDocumentRules);
    const std::string source = teds_tools::sourceName(options.jsonPath);
    if (!text.ok()) {
        failed = true;
        refuse(err, {source + ' ' + text.error});
        return {};
    }
    const teds::api::DocumentRead document = teds::api::readDocument(text.content);
    if (!document.ok()) {
        failed = true;
        std::vector<std::string> problems;
        for (const std::string& problem : document.problems) problems.push_back(source + ": " + problem);
        refuse(err, problems);
        return {};
    }
    output = {options.outputFormat.value_or(document.container.value_or(Format::Hex)), document.style};
    return document.document.encode(templates, options.settings, options.encode);
}

Encoded fromImage(const teds::api::Templates& templates, const Options& options, std::istream& in, OutputContainer& output,
                  std::ostream& err, bool& failed) {
    const teds_tools::ImageOrError image = teds_tools::readImageAt(options.imagePath, options.inputFormat, in);
    if (!image.ok()) {
        failed = true;
        refuse(err, {teds_tools::sourceName(options.imagePath) + ' ' + image.error});
        return {};
    }
    output = {options.outputFormat.value_or(image.container), image.textStyle()};
    teds::api::Teds teds(templates, image.image);
    for (const teds::api::Setting& setting : options.settings) teds.set(setting.name, setting.value);
    return teds.encode(options.encode);
}

}  // namespace

int runTedsedit(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.ok()) {
        err << kTool << parsed.error << " (tedsedit --help shows the usage)\n";
        return kExitFailure;
    }
    const Options& options = parsed.options;
    if (options.help) {
        out << usageText();
        return kExitWritten;
    }
    teds::api::Templates templates;
    if (!teds_tools::loadTemplates(options.tdlFiles, templates, err, "tedsedit")) return kExitFailure;

    OutputContainer output;
    bool failed = false;
    const Encoded encoded = options.jsonPath.empty() ? fromImage(templates, options, in, output, err, failed)
                                                     : fromDocument(templates, options, in, output, err, failed);
    if (failed) return kExitFailure;
    for (const std::string& note : encoded.report.notes) err << kTool << note << '\n';
    if (!encoded.ok()) return refuse(err, encoded.report.problems);

    const std::string content = teds::container::writeContainer(encoded.image, output.format, output.style);
    if (const std::string error = teds_tools::replaceFile(options.outputPath, content); !error.empty())
        return refuse(err, {"'" + options.outputPath + "' was not written: " + error});
    return kExitWritten;
}

}  // namespace tedsedit
