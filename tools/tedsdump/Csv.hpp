#pragma once
// Comma-separated values as spreadsheets write and read them (RFC 4180):
// fields holding a comma, a quote or a line break are quoted, quotes inside
// doubled.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tedsdump {

// `text` as one field of a record.
std::string csvField(std::string_view text);

struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t line = 0;  // where the record starts, from 1
};

struct CsvText {
    std::vector<CsvRecord> records;  // blank lines are none
    std::string error;               // empty when the text was read whole

    bool ok() const { return error.empty(); }
};

// Records end at LF or CR LF; a UTF-8 byte order mark at the start is passed over.
CsvText parseCsv(std::string_view text);

}  // namespace tedsdump
