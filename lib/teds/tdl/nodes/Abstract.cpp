#include "teds/tdl/nodes/Abstract.hpp"

namespace teds::tdl::nodes {

void Abstract::dump(std::ostream& out, const std::string& indent) const { out << indent << text << '\n'; }

}  // namespace teds::tdl::nodes
