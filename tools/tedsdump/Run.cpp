#include "Run.hpp"

#include "CheckSettings.hpp"
#include "EscapeControls.hpp"
#include "ImageInput.hpp"
#include "ListRun.hpp"
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
    return readImageAt(options.imagePath(), options.inputFormat, in);
}

// Read to be decoded: a one-page dump is told from an image by decoding both.
ImageOrError readImageFrom(const Options& options, const teds::api::Templates& templates, std::istream& in) {
    return readImageAt(options.imagePath(), options.inputFormat, in, templates);
}

std::string sourceName(const Options& options) { return teds_tools::sourceName(options.imagePath()); }

// What the checks find in the one image decoded; empty without checks.
std::vector<teds::api::ImageProblem> checkImage(const Options& options, const teds::api::Teds& teds,
                                                const Expectations& expectations) {
    if (!options.checks()) return {};
    std::vector<teds::api::ImageProblem> problems = teds.problems(checkOptions(options));
    expectations.check(options.imagePath(), teds.basic(), problems);
    return problems;
}

void writeProblems(std::ostream& out, const std::vector<teds::api::ImageProblem>& problems) {
    if (problems.empty()) {
        out << "\nProblems: none\n";
        return;
    }
    out << "\nProblems\n";
    for (const teds::api::ImageProblem& problem : problems)
        out << "  " << teds::api::problemName(problem.kind) << ": " << teds_tools::escapeControls(problem.text) << '\n';
}

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
    if (listsImages(options)) return listImages(options, templates, in, out, err);
    Expectations expectations;
    if (!readExpectations(options, expectations, err)) return kExitFailure;

    // Standard output carries the JSON document alone; what else was asked
    // for goes beside it.
    std::ostream& side = options.json ? err : out;
    if (options.dumpTemplates) {
        side << templates.dump();
        if (!options.imageGiven()) return kExitDecoded;
        side << '\n';
    }

    const ImageOrError image = readImageFrom(options, templates, in);
    if (!image.ok()) {
        err << "tedsdump: " << sourceName(options) << ' ' << image.error << '\n';
        return kExitFailure;
    }

    const teds::api::Teds teds(templates, image.image);
    if (options.trace) side << teds.trace() << '\n';
    const std::vector<teds::api::ImageProblem> problems = checkImage(options, teds, expectations);
    const int decoded = problems.empty() ? kExitDecoded : kExitProblems;

    if (!options.json) {
        writeTable(out, teds, teds_tools::containerText(image), options.scale ? &options.conditions : nullptr);
        if (options.checks()) writeProblems(out, problems);
        return decoded;
    }
    teds::api::DocumentOptions documentOptions;
    documentOptions.scales = options.scale ? &options.conditions : nullptr;
    documentOptions.problems = options.checks() ? &problems : nullptr;
    const std::string document = teds.document(image.source(), documentOptions);
    // An image of many records can make a document tedsedit would refuse to read.
    if (document.size() > teds::api::kMaxDocumentBytes) {
        err << "tedsdump: " << sourceName(options) << " makes a JSON document of " << document.size()
            << " bytes, more than the " << teds::api::kMaxDocumentBytes
            << " a document may have (the table shows it whole)\n";
        return kExitFailure;
    }
    out << document;
    return decoded;
}

}  // namespace tedsdump
