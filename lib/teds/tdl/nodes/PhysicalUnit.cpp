#include "teds/tdl/nodes/PhysicalUnit.hpp"

namespace teds::tdl::nodes {

void PhysicalUnit::dump(std::ostream& out, const std::string&) const { out << "Unit '" << name << "'\n"; }

}  // namespace teds::tdl::nodes
