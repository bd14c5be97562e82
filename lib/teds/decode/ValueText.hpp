#pragma once

#include <ostream>

#include "teds/types/ValueRecord.hpp"

namespace teds::decode {

using types::EnumValue;
using types::StructElement;
using types::StructElements;
using types::ValueKind;
using types::ValueRecord;

// Writes a record's value as a person would read it: numbers in decimal,
// texts as they are, an enumeration's text with its index.
void writeValueText(std::ostream& out, const ValueRecord& record);

}  // namespace teds::decode
