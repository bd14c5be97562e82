#include "teds/tdl/nodes/Spacing.hpp"

namespace teds::tdl::nodes {

void Spacing::dump(std::ostream& out, const std::string&) const { out << '\n'; }

}  // namespace teds::tdl::nodes
