#include "InventoryOutput.hpp"

#include "Columns.hpp"
#include "Csv.hpp"
#include "EscapeControls.hpp"

namespace tedsdump {
namespace {

const std::vector<std::string> kCsvHeader{
    "file",          "container",   "manufacturer id",  "model number",
    "version letter", "version number", "serial number", "templates",
    "calibration date", "calibration period (days)", "calibration due", "problems", "details"};
const std::vector<std::string> kTableHeader{"File",   "Container", "Manufacturer", "Model",   "Letter", "Version",
                                            "Serial", "Templates", "Calibrated",   "Period", "Due",    "Problems", "Details"};

std::string dayText(const std::optional<std::uint64_t>& days) {
    if (!days) return "";
    return teds::api::dateText(*days).value_or(std::to_string(*days) + " days after 1998-01-01");
}

// "25", or "M17-3" for manufacturer 17's template 3, a blank between each.
std::string templateList(const std::vector<teds::api::TemplateInfo>& templates) {
    std::string text;
    for (const teds::api::TemplateInfo& info : templates) {
        if (!text.empty()) text += ' ';
        if (info.manufacturerKey != 0) text += 'M' + std::to_string(info.manufacturerKey) + '-';
        text += std::to_string(static_cast<std::uint32_t>(info.templateId));
    }
    return text;
}

// The names alone, for a spreadsheet to filter on: "truncated template-left-out".
std::string problemNames(const std::vector<teds::api::ImageProblem>& problems) {
    std::string text;
    for (const teds::api::ImageProblem& problem : problems)
        text += (text.empty() ? "" : " ") + std::string(teds::api::problemName(problem.kind));
    return text;
}

// What each problem is, for a person: "truncated: the image ends ...", a line each.
std::string problemDetails(const std::vector<teds::api::ImageProblem>& problems, const char* between) {
    std::string text;
    for (const teds::api::ImageProblem& problem : problems)
        text += (text.empty() ? "" : between) + std::string(teds::api::problemName(problem.kind)) + ": " + problem.text;
    return text;
}

// The table's and the CSV's cells; `between` separates problem details.
std::vector<std::string> cells(const InventoryRow& row, const char* between) {
    std::vector<std::string> cells{row.file, row.container};
    if (row.basic) {
        const teds::api::BasicTeds& basic = *row.basic;
        cells.insert(cells.end(), {std::to_string(basic.manufacturerId), std::to_string(basic.modelNumber),
                                   basic.versionLetter == ' ' ? std::string() : std::string(1, basic.versionLetter),
                                   std::to_string(basic.versionNumber), std::to_string(basic.serialNumber)});
    } else {
        cells.resize(cells.size() + 5);
    }
    const teds::api::Calibration& calibration = row.calibration;
    cells.insert(cells.end(), {templateList(row.templates), dayText(calibration.date),
                               calibration.periodDays ? std::to_string(*calibration.periodDays) : std::string(),
                               dayText(calibration.due), problemNames(row.problems),
                               problemDetails(row.problems, between)});
    return cells;
}

void writeCsvRecord(std::ostream& out, const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : ",") + csvField(field);
    // Records end in CR LF, as spreadsheets write them.
    out << line << "\r\n";
}

}  // namespace

InventoryOutput::InventoryOutput(std::ostream& out, ListForm form) : out_(out), form_(form) {
    if (form_ == ListForm::Csv) writeCsvRecord(out_, kCsvHeader);
    if (form_ == ListForm::Table) table_.push_back(kTableHeader);
}

void InventoryOutput::add(const InventoryRow& row) {
    switch (form_) {
    // A cell holds line breaks in a spreadsheet, not in a table.
    case ListForm::Csv: writeCsvRecord(out_, cells(row, "\n")); break;
    case ListForm::JsonLines: out_ << row.document; break;
    case ListForm::Table: {
        std::vector<std::string> line = cells(row, "; ");
        for (std::string& cell : line) cell = teds_tools::escapeControls(cell);
        table_.push_back(std::move(line));
        break;
    }
    }
}

void InventoryOutput::finish() {
    if (form_ == ListForm::Table) writeColumns(out_, table_, "");
    out_.flush();
}

}  // namespace tedsdump
