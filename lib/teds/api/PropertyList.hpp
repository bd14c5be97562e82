#pragma once
// The values of a decoded image as a program reads them back, each under the
// name and in the text that setting it again takes.

#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds_api.hpp"

namespace teds::api {

std::vector<Property> propertiesOf(const decode::DecodedTeds& teds);

}  // namespace teds::api
