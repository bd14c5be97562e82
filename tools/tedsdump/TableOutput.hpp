#pragma once
// The readable form of a decoded image: the Basic TEDS, then each template
// with its properties in decoding order.

#include <ostream>
#include <string>
#include <string_view>

#include "teds_api.hpp"

namespace tedsdump {

// `container` says what held the image, as containerText() words it.
void writeTable(std::ostream& out, const teds::api::Teds& teds, const std::string& container);

// `text` with every control character written as \xNN, so that bytes from
// an image cannot move the cursor or change a terminal's state.
std::string escapeControls(std::string_view text);

}  // namespace tedsdump
