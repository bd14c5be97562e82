#pragma once
// Writes the 64-bit Basic TEDS in the layout it names.

#include <string>
#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/types/BitWriter.hpp"

namespace teds::encode {

// False, with one line per field that does not fit its width, when nothing
// may be written; the bits are written either way.
bool writeBasicTeds(types::BitWriter& out, const decode::BasicTeds& basic, std::vector<std::string>& problems);

}  // namespace teds::encode
