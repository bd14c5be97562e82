#include "Expectations.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "Csv.hpp"

namespace tedsdump {
namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

// A path with one separator throughout, so that a file named with '/' in
// the list is found under the '\\' of a Windows folder listing.
std::string samePath(std::string_view path) {
    std::string same(path);
    std::replace_if(same.begin(), same.end(), [](char c) { return kSeparators.find(c) != std::string_view::npos; }, '/');
    return same;
}

enum class Column { File, Channel, Manufacturer, Model, Serial, Other };

std::string trimmed(std::string_view text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && blank(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && blank(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return std::string(text);
}

Column columnNamed(std::string_view header) {
    std::string name = trimmed(header);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name == "file") return Column::File;
    if (name == "channel") return Column::Channel;
    if (name == "manufacturer" || name == "manufacturer id") return Column::Manufacturer;
    if (name == "model" || name == "model number") return Column::Model;
    if (name == "serial" || name == "serial number") return Column::Serial;
    return Column::Other;
}

std::optional<std::int32_t> wholeNumber(const std::string& text) {
    std::int32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size() || n < 0) return std::nullopt;
    return n;
}

// The name of a file without its folders and extension.
std::string_view channelOf(std::string_view path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? path : path.substr(0, dot);
}

}  // namespace

std::string Expectations::read(std::string_view csv) {
    const CsvText text = parseCsv(csv);
    if (!text.ok()) return text.error;
    if (text.records.empty()) return "holds no header line";
    std::vector<Column> columns;
    for (const std::string& header : text.records.front().fields) columns.push_back(columnNamed(header));
    const auto has = [&](Column c) { return std::find(columns.begin(), columns.end(), c) != columns.end(); };
    if (!has(Column::File) && !has(Column::Channel))
        return "line " + std::to_string(text.records.front().line) + ": the header names neither a 'file' nor a 'channel' column";

    for (std::size_t r = 1; r < text.records.size(); ++r) {
        const CsvRecord& record = text.records[r];
        const std::string where = "line " + std::to_string(record.line) + ": ";
        Expectation expectation;
        for (std::size_t c = 0; c < record.fields.size() && c < columns.size(); ++c) {
            const std::string cell = trimmed(record.fields[c]);
            if (cell.empty() || columns[c] == Column::Other) continue;
            if (columns[c] == Column::File) {
                expectation.file = samePath(cell);
                continue;
            }
            if (columns[c] == Column::Channel) {
                expectation.channel = cell;
                continue;
            }
            const std::optional<std::int32_t> n = wholeNumber(cell);
            if (!n) return where + "'" + cell + "' is not a whole number";
            (columns[c] == Column::Manufacturer ? expectation.sensor.manufacturerId
             : columns[c] == Column::Model      ? expectation.sensor.modelNumber
                                                : expectation.sensor.serialNumber) = *n;
        }
        if (expectation.file.empty() && expectation.channel.empty()) return where + "names neither a file nor a channel";
        const std::size_t index = all_.size();
        // A file named is the expectation's key; the channel is only looked at without one.
        const bool byFile = !expectation.file.empty();
        auto& keys = byFile ? byFile_ : byChannel_;
        const std::string& key = byFile ? expectation.file : expectation.channel;
        if (!keys.emplace(key, index).second)
            return where + (byFile ? "the file '" : "the channel '") + key + "' is expected twice";
        all_.push_back(std::move(expectation));
    }
    return "";
}

std::optional<std::size_t> Expectations::find(std::string_view given) const {
    const std::string path = samePath(given);
    // The whole path, then what follows each separator in it.
    for (std::size_t from = 0;;) {
        if (const auto it = byFile_.find(std::string_view(path).substr(from)); it != byFile_.end()) return it->second;
        const std::size_t slash = path.find('/', from);
        if (slash == std::string_view::npos) break;
        from = slash + 1;
    }
    if (const auto it = byChannel_.find(channelOf(path)); it != byChannel_.end()) return it->second;
    return std::nullopt;
}

std::optional<std::size_t> Expectations::check(std::string_view path, const teds::api::BasicTeds& found,
                                               std::vector<teds::api::ImageProblem>& problems) const {
    const std::optional<std::size_t> index = find(path);
    if (!index) return std::nullopt;
    for (teds::api::ImageProblem& mismatch : teds::api::mismatches(found, all_[*index].sensor))
        problems.push_back(std::move(mismatch));
    return index;
}

std::string expectedText(const teds::api::ExpectedSensor& sensor) {
    std::string text;
    const auto add = [&](const char* field, const std::optional<std::int32_t>& value) {
        if (!value) return;
        text += (text.empty() ? "" : ", ") + std::string(field) + ' ' + std::to_string(*value);
    };
    add("manufacturer ID", sensor.manufacturerId);
    add("model number", sensor.modelNumber);
    add("serial number", sensor.serialNumber);
    return text.empty() ? "any sensor" : text;
}

}  // namespace tedsdump
