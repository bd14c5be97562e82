#pragma once
// The readable form of a decoded image: the Basic TEDS, then each template
// with its properties in decoding order.

#include <ostream>
#include <string>
#include <string_view>

#include "teds/decode/DecodedTeds.hpp"

namespace tedsdump {

void writeTable(std::ostream& out, const teds::decode::DecodedTeds& teds);

// `text` with every control character written as \xNN, so that bytes from
// an image cannot move the cursor or change a terminal's state.
std::string escapeControls(std::string_view text);

}  // namespace tedsdump
