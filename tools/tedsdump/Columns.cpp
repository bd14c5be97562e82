#include "Columns.hpp"

#include <algorithm>
#include <string_view>

namespace tedsdump {
namespace {

// UTF-8 continuation bytes take no column.
std::size_t displayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void writeColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows, const std::string& indent) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size());
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
    for (const auto& row : rows) {
        // The last non-empty cell ends the line.
        std::size_t last = row.size();
        while (last > 0 && row[last - 1].empty()) --last;
        std::string line = indent;
        for (std::size_t c = 0; c < last; ++c) {
            line += row[c];
            if (c + 1 < last) line.append(widths[c] - displayWidth(row[c]) + 2, ' ');
        }
        out << line << '\n';
    }
}

}  // namespace tedsdump
