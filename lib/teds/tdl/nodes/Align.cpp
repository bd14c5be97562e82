#include "teds/tdl/nodes/Align.hpp"

namespace teds::tdl::nodes {

void Align::dump(std::ostream& out, const std::string&) const {
    out << "<align read position to " << bits << " bits>\n";
}

// The bit reader has no way to skip to an alignment, and guessing one would
// misread everything after it: stopping keeps what was decoded so far exact.
bool Align::decode(types::BitReader&, std::vector<types::ValueRecord>&, types::RecordStore&,
                   types::DecodeBudget&) const {
    return false;
}

}  // namespace teds::tdl::nodes
