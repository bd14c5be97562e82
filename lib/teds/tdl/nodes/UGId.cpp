#include "teds/tdl/nodes/UGId.hpp"

namespace teds::tdl::nodes {

void UGId::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "UGID = " << text;
    if (!comment.empty()) out << " //" << comment;
    out << '\n';
}

}  // namespace teds::tdl::nodes
