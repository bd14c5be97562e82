#pragma once
// Text from an image or from input, made safe to print.

#include <string>
#include <string_view>

namespace teds_tools {

// `text` with every control character written as \xNN, so that bytes from
// an image cannot move the cursor or change a terminal's state.
std::string escapeControls(std::string_view text);

}  // namespace teds_tools
