#pragma once
// The machine-readable form of a decoded image: one JSON document.

#include <ostream>

#include "teds/decode/DecodedTeds.hpp"

namespace tedsdump {

// {"basic": {...}, "templates": [{"manufacturerKey", "templateId", "name",
// "properties": [...]}]}; each property has "name", "type", "value", "unit"
// and "description", an enum adds "text", a date "days", an array "elements".
void writeJson(std::ostream& out, const teds::decode::DecodedTeds& teds);

}  // namespace tedsdump
