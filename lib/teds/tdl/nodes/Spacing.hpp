#pragma once

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

// SPACING: a visual break in the template listing.
class Spacing final : public Node {
public:
    void dump(std::ostream& out, const std::string& indent) const override;
};

}  // namespace teds::tdl::nodes
