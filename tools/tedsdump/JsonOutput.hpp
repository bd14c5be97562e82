#pragma once
// The machine-readable form of a decoded image: one JSON document.

#include <ostream>
#include <string_view>

#include "teds/decode/DecodedTeds.hpp"

namespace tedsdump {

// {"container": "hex", "basic": {...}, "templates": [{"manufacturerKey",
// "templateId", "name", "properties": [...]}]}; each property has "name",
// "type", "value", "unit" and "description", an enum adds "text", a date
// "days", an array "elements". `container` is the format's name.
void writeJson(std::ostream& out, const teds::decode::DecodedTeds& teds, std::string_view container);

}  // namespace tedsdump
