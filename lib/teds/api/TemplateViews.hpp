#pragma once
// A decoded image's values as the interface hands them out: copies that
// outlive the image, typed by kind.

#include <optional>
#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds_api.hpp"

namespace teds::api {

std::vector<TemplateView> templateViewsOf(const decode::DecodedTeds& teds);

// The record and, for a struct array, its elements; none for a select-case
// marker, which holds no value of its own.
std::optional<PropertyView> viewOf(const types::ValueRecord& record);

}  // namespace teds::api
