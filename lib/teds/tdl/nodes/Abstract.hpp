#pragma once

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

// An ABSTRACT line of a template: text only, no bits.
class Abstract final : public Node {
public:
    explicit Abstract(std::string text) : text(std::move(text)) {}
    void dump(std::ostream& out, const std::string& indent) const override;

    std::string text;
};

}  // namespace teds::tdl::nodes
