#pragma once

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

// UGID: the user group identification of a template.
class UGId final : public Node {
public:
    UGId(std::string text, std::string comment) : text(std::move(text)), comment(std::move(comment)) {}
    void dump(std::ostream& out, const std::string& indent) const override;

    std::string text;
    std::string comment;
};

}  // namespace teds::tdl::nodes
