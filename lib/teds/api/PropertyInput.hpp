#pragma once
// The properties of a template in the document, each checked against the
// type it states, as the values an image is written from.

#include <vector>

#include <nlohmann/json.hpp>

#include "DocumentProblems.hpp"
#include "teds/encode/StatedTeds.hpp"

namespace teds::api::document {

// `properties` is a list; each of its items is read into `out`, in order.
void readProperties(const nlohmann::json& properties, const Where& where, Problems& problems,
                    std::vector<teds::encode::StatedValue>& out);

}  // namespace teds::api::document
