#pragma once
// The last check before an image is handed out: decoding it must give back
// what was meant to be written.

#include <cstdint>
#include <string>
#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/types/ValueRecord.hpp"
#include "teds_container.hpp"

namespace teds::encode {

// Empty when `image` decodes to `basic` and exactly `templates` (their keys,
// IDs and values, as encodeBody wrote them); otherwise the first difference.
std::string readBackDifference(const tdl::Registry& registry, const container::Image& image,
                               const decode::BasicTeds& basic, const std::vector<decode::TemplateRecord>& templates);

// Records equal in name, kind, value and declaration; a NaN equals a NaN.
// With `cutByEnd`, `a` was decoded from an image that ends inside them, and
// a text of `a` need only begin `b`'s: the rest lay past the end.
bool sameRecords(const std::vector<types::ValueRecord>& a, const std::vector<types::ValueRecord>& b,
                 bool cutByEnd = false);

}  // namespace teds::encode
