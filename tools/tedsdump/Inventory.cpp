#include "Inventory.hpp"

#include <algorithm>
#include <atomic>
#include <exception>

#include "ImageInput.hpp"
#include "Parallel.hpp"

namespace tedsdump {
namespace {

using teds::api::ImageProblem;
using teds::api::ProblemKind;

// Rows are made a batch at a time and handed on before the next batch, so
// that an inventory of many files holds few rows at once. A document may
// take megabytes for an image of many records, so batches of documents
// are smaller.
constexpr std::size_t kRowsPerThreadInBatch = 256;
constexpr std::size_t kDocumentsPerThreadInBatch = 16;

teds::api::DocumentOptions documentOptions(const InventoryRow& row, const InventorySettings& settings) {
    teds::api::DocumentOptions options;
    options.oneLine = true;
    options.file = &row.file;
    options.problems = &row.problems;
    options.scales = settings.scales;
    return options;
}

InventoryRow failedRow(InventoryRow row, ImageProblem problem, const InventorySettings& settings) {
    row.problems.push_back(std::move(problem));
    if (settings.documents)
        row.document = teds::api::failureDocument(row.problems.back().text, documentOptions(row, settings));
    return row;
}

}  // namespace

InventoryRow inventoryRow(const ImageFile& file, const teds::api::Templates& templates,
                          const InventorySettings& settings, std::istream& standardInput) {
    InventoryRow row;
    row.file = file.path;
    if (!file.error.empty()) return failedRow(std::move(row), {ProblemKind::Unreadable, file.error, {}, {}}, settings);
    const teds_tools::InputOrError content = teds_tools::readImageContent(file.path, standardInput, file.inFolder);
    if (!content.ok()) return failedRow(std::move(row), {ProblemKind::Unreadable, content.error, {}, {}}, settings);
    teds_tools::ImageOrError image = teds_tools::imageFromContent(content.content, templates, settings.inputFormat);
    if (!image.ok()) {
        row.container = image.damagedDump ? std::string(teds::container::formatName(image.container)) : std::string();
        return failedRow(std::move(row), teds::api::readProblem(image), settings);
    }
    row.container = teds_tools::containerText(image);

    const teds::api::Teds teds(templates, image.image);
    row.basic = teds.basic();
    row.templates = teds.templates();
    row.calibration = teds.calibration();
    row.problems = teds.problems(settings.checks);
    if (settings.expectations != nullptr) row.expectation = settings.expectations->check(row.file, *row.basic, row.problems);
    if (settings.documents) row.document = teds.document(image.source(), documentOptions(row, settings));
    return row;
}

void takeInventory(const std::vector<ImageFile>& files, const teds::api::Templates& templates,
                   const InventorySettings& settings, std::istream& standardInput,
                   const std::function<void(InventoryRow&&)>& take) {
    const unsigned threads = settings.threads > 0 ? settings.threads : processorCount();
    const std::size_t batch = (settings.documents ? kDocumentsPerThreadInBatch : kRowsPerThreadInBatch) * threads;
    std::vector<InventoryRow> rows;
    for (std::size_t first = 0; first < files.size(); first += batch) {
        const std::size_t count = std::min(batch, files.size() - first);
        rows.assign(count, InventoryRow{});
        std::atomic<std::size_t> next{0};
        runOnThreads(static_cast<unsigned>(std::min<std::size_t>(threads, count)), [&] {
            for (std::size_t i; (i = next.fetch_add(1)) < count;) {
                const ImageFile& file = files[first + i];
                try {
                    rows[i] = inventoryRow(file, templates, settings, standardInput);
                } catch (const std::exception& e) {
                    // Out of memory for this one file: the others still get their rows.
                    InventoryRow row;
                    row.file = file.path;
                    rows[i] = failedRow(std::move(row),
                                        {ProblemKind::Unreadable, std::string("could not be read: ") + e.what(), {}, {}},
                                        settings);
                }
            }
        });
        for (InventoryRow& row : rows) take(std::move(row));
    }
}

std::vector<InventoryRow> missingRows(const Expectations& expectations, const std::vector<bool>& matched,
                                      bool documents) {
    std::vector<InventoryRow> rows;
    InventorySettings settings;
    settings.documents = documents;
    for (std::size_t i = 0; i < expectations.all().size(); ++i) {
        if (i < matched.size() && matched[i]) continue;
        const Expectation& expected = expectations.all()[i];
        InventoryRow row;
        row.file = expected.file.empty() ? expected.channel : expected.file;
        row.expectation = i;
        rows.push_back(failedRow(std::move(row),
                                 {ProblemKind::Missing,
                                  "no image was read for it; expected " + expectedText(expected.sensor), {}, {}},
                                 settings));
    }
    return rows;
}

}  // namespace tedsdump
