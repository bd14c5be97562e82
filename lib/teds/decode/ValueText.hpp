#pragma once

#include <ostream>

#include "teds/types/ValueRecord.hpp"

namespace teds::decode {

// Writes a record's value as a person would read it: numbers in decimal,
// texts as they are, an enumeration's text with its index.
void writeValueText(std::ostream& out, const types::ValueRecord& record);

}  // namespace teds::decode
