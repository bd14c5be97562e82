#include "ListRun.hpp"

#include "CheckSettings.hpp"
#include "ImageFiles.hpp"
#include "Inventory.hpp"
#include "InventoryOutput.hpp"
#include "Run.hpp"

namespace tedsdump {

bool listsImages(const Options& options) {
    return options.images.size() > 1 || options.csv || options.jsonl || options.recursive ||
           (options.images.size() == 1 && isFolder(options.images.front()));
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

}  // namespace tedsdump
