#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

// STRUCTARRAY: a count field, then that many elements of the child nodes.
class StructArray final : public Node {
public:
    StructArray(std::string name, std::string comment, std::uint32_t countBits, NodeList children)
        : name(std::move(name)), comment(std::move(comment)), countBits(countBits), children(std::move(children)) {}

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                decode::RecordBudget& budget) const override;
    void collectNames(const std::string& prefix, bool usePrefix,
                      std::vector<std::string>& names) const override;

    std::string name;
    std::string comment;
    std::uint32_t countBits;
    NodeList children;  // one element's nodes
};

}  // namespace teds::tdl::nodes
