#pragma once
// The machine-readable form of a decoded image: one JSON document.

#include <optional>
#include <ostream>
#include <string_view>

#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds_api.hpp"
#include "teds_scale.hpp"

namespace teds::api {

// {"container": "hex", "hexDigits": "lower", "basic": {...}, "templates":
// [{"manufacturerKey", "templateId", "name", "properties": [...]}]}; each
// property has "name", "type", "value", "unit" and "description", an enum
// adds "text", a date "days", an array "elements". `container` is the
// format's name; `upperCaseHex` says how the hex text that held the image
// spelled its digits, "upper" or "lower", and is none (null) when no hex
// text held it; `eepromPages` is a dump's number of pages, erased ones
// included, and none (null) for other containers. What writing the image again needs beyond the values comes
// from `layout`: each template's "descriptorBits" and "selectCases", and the
// image's "trailingBits" and "bitsPastEnd". With `scales`, one per
// template, each template also gets its "scale" (see Teds::document).
// `options` may add "file" and "problems" and put it all on one line; its
// own scales are not looked at.
void writeJson(std::ostream& out, const teds::decode::DecodedTeds& teds, std::string_view container,
               std::optional<bool> upperCaseHex, std::optional<std::uint32_t> eepromPages,
               const teds::encode::ImageLayout& layout, const std::vector<scale::ScaleFound>* scales = nullptr,
               const DocumentOptions& options = {});

// {"file", "error", "problems"} for a file that gave no image.
void writeFailureJson(std::ostream& out, std::string_view error, const DocumentOptions& options);

}  // namespace teds::api
