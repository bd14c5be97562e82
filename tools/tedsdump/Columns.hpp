#pragma once
// Text in columns that line up, as the tables of tedsdump print it.

#include <ostream>
#include <string>
#include <vector>

namespace tedsdump {

// Each row on a line opened by `indent`, each cell as wide as the widest
// of its column plus two blanks; a row may have fewer cells than another.
// Widths count characters, not bytes, and no line ends in blanks.
void writeColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows, const std::string& indent);

}  // namespace tedsdump
