#include "Run.hpp"

#include <cstdio>
#include <ctime>

#include "ImageFiles.hpp"
#include "ImageInput.hpp"
#include "InputFile.hpp"
#include "Inventory.hpp"
#include "InventoryOutput.hpp"
#include "Options.hpp"
#include "ReplaceFile.hpp"
#include "EscapeControls.hpp"
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
    const teds_tools::InputOrError content = teds_tools::readImageContent(options.imagePath(), in);
    if (!content.ok()) {
        ImageOrError failed;
        failed.error = content.error;
        return failed;
    }
    return teds_tools::imageFromContent(content.content, templates, options.inputFormat);
}

std::string sourceName(const Options& options) { return teds_tools::sourceName(options.imagePath()); }

// Several images, or a folder of them, make a list; so do its options.
bool listsImages(const Options& options) {
    return options.images.size() > 1 || options.csv || options.jsonl || options.recursive ||
           (options.images.size() == 1 && isFolder(options.images.front()));
}

// The day on the local clock, as calibrations are checked against it.
std::int64_t today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return teds::api::dayNumber(text).value_or(0);
}

teds::api::CheckOptions checkOptions(const Options& options) {
    return teds::api::CheckOptions{options.today ? options.today : std::optional<std::int64_t>(today())};
}

// Reads --expect's file into `expectations`; false, with a line on `err`, when it cannot be.
bool readExpectations(const Options& options, Expectations& expectations, std::ostream& err) {
    if (options.expectPath.empty()) return true;
    constexpr teds_tools::InputRules rules{
        .maxBytes = std::size_t{64} << 20, .beyondLimit = "far more than a list of sensors", .regularFileOnly = true};
    const teds_tools::InputOrError input = teds_tools::readInputFile(options.expectPath, rules);
    std::string error = input.ok() ? expectations.read(input.content) : input.error;
    if (error.empty()) return true;
    err << "tedsdump: --expect '" << options.expectPath << "' " << (input.ok() ? "is refused: " : "") << error << '\n';
    return false;
}

int listImages(const Options& options, const teds::api::Templates& templates, std::istream& in, std::ostream& out,
               std::ostream& err) {
    if (const std::string conflict = inventoryConflict(options); !conflict.empty()) {
        err << "tedsdump: a list of images does not take " << conflict << " (tedsdump --help shows the usage)\n";
        return kExitFailure;
    }
    Expectations expectations;
    if (!readExpectations(options, expectations, err)) return kExitFailure;
    InventorySettings settings;
    settings.inputFormat = options.inputFormat;
    settings.checks = checkOptions(options);
    settings.expectations = expectations.empty() ? nullptr : &expectations;
    settings.documents = options.jsonl;
    settings.scales = options.scale ? &options.conditions : nullptr;

    InventoryOutput output(out, options.csv ? ListForm::Csv : options.jsonl ? ListForm::JsonLines : ListForm::Table);
    std::vector<bool> matched(expectations.all().size());
    bool anyProblem = false;
    const auto take = [&](InventoryRow&& row) {
        if (row.expectation) matched[*row.expectation] = true;
        anyProblem = anyProblem || !row.problems.empty();
        output.add(row);
    };
    takeInventory(imageFiles(options.images, options.recursive), templates, settings, in, take);
    for (InventoryRow& row : missingRows(expectations, matched, settings.documents)) take(std::move(row));
    output.finish();
    return anyProblem ? kExitProblems : kExitDecoded;
}

// What the checks find in the one image decoded; empty without checks.
std::vector<teds::api::ImageProblem> checkImage(const Options& options, const teds::api::Teds& teds,
                                                const Expectations& expectations) {
    if (!options.checks()) return {};
    std::vector<teds::api::ImageProblem> problems = teds.problems(checkOptions(options));
    if (const auto expected = expectations.find(options.imagePath())) {
        auto mismatches = teds::api::mismatches(teds.basic(), expectations.all()[*expected].sensor);
        problems.insert(problems.end(), mismatches.begin(), mismatches.end());
    }
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
