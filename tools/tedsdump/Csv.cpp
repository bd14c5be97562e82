#include "Csv.hpp"

namespace tedsdump {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

CsvText parseCsv(std::string_view text) {
    CsvText result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool recordEnded = false;
        while (!recordEnded) {
            if (i < text.size() && text[i] == '"') {
                // A quoted field runs to the quote not doubled; line breaks inside belong to it.
                for (++i;; ++i) {
                    if (i >= text.size()) {
                        result.error = "line " + std::to_string(record.line) + ": a quoted field is not closed";
                        return result;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i];
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' && text.substr(i, 2) != "\r\n") {
                    result.error = "line " + std::to_string(line) + ": a quoted field is followed by more than a comma";
                    return result;
                }
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' && text.substr(i, 2) != "\r\n")
                    field += text[i++];
            }
            record.fields.push_back(std::move(field));
            field.clear();
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            // The end of the text, or of the line.
            if (i < text.size()) i += text[i] == '\r' ? 2 : 1;
            ++line;
            recordEnded = true;
        }
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank) result.records.push_back(std::move(record));
    }
    return result;
}

}  // namespace tedsdump
