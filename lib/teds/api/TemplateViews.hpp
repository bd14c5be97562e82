#pragma once
// A decoded image's values as the interface hands them out, typed by kind;
// their texts are the templates' own.

#include <optional>
#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds_api.hpp"

namespace teds::api {

// The template's key, ID and name.
TemplateInfo infoOf(const decode::TemplateRecord& record);

std::vector<TemplateView> templateViewsOf(const decode::DecodedTeds& teds);

// The record and, for a struct array, its elements. A select-case marker,
// which the empty name finds, holds no value of its own.
PropertyView viewOf(const types::ValueRecord& record);

}  // namespace teds::api
