#pragma once
// An inventory: every image file read, decoded and checked, a row each, in
// parallel on all cores and handed on in the order of the files.

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "Expectations.hpp"
#include "ImageFiles.hpp"
#include "teds_api.hpp"
#include "teds_container.hpp"

namespace tedsdump {

struct InventoryRow {
    std::string file;
    std::string container;                     // as the table words it; empty when no image was read
    std::optional<teds::api::BasicTeds> basic;  // none when no image was read
    std::vector<teds::api::TemplateInfo> templates;
    teds::api::Calibration calibration;
    std::vector<teds::api::ImageProblem> problems;
    std::optional<std::size_t> expectation;  // the index of the expectation it was checked against
    std::string document;                    // the JSON Lines line, when asked for
};

struct InventorySettings {
    std::optional<teds::container::Format> inputFormat;
    teds::api::CheckOptions checks;
    const Expectations* expectations = nullptr;
    bool documents = false;                                  // fill each row's document
    const teds::api::ChannelConditions* scales = nullptr;   // with documents: add the scales
    unsigned threads = 0;                                    // 0: one per core
};

// Reads, decodes and checks `file` against `templates`.
InventoryRow inventoryRow(const ImageFile& file, const teds::api::Templates& templates,
                          const InventorySettings& settings, std::istream& standardInput);

// Makes the row of every file on `settings.threads` threads and gives each
// to `take` on the calling thread, in the order of `files`, as soon as it
// and the rows before it are made.
void takeInventory(const std::vector<ImageFile>& files, const teds::api::Templates& templates,
                   const InventorySettings& settings, std::istream& standardInput,
                   const std::function<void(InventoryRow&&)>& take);

// A row for each expected sensor that no image was checked against;
// `matched` holds a flag per expectation.
std::vector<InventoryRow> missingRows(const Expectations& expectations, const std::vector<bool>& matched,
                                      bool documents);

}  // namespace tedsdump
