#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/RecordSource.hpp"
#include "teds/types/PropertyDescription.hpp"

namespace teds::tdl::nodes {

// STRUCTARRAY: a count field, then that many elements of the child nodes.
class StructArray final : public Node {
public:
    StructArray(std::string name, std::string comment, std::uint32_t countBits, NodeList children)
        : children(std::move(children)) {
        declaration.name = std::move(name);
        declaration.description = std::move(comment);
        declaration.width = countBits;
    }

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                types::DecodeBudget& budget) const override;
    bool encode(RecordSource& records) const override;
    std::size_t recordsHint() const override { return 1; }

    types::PropertyDescription declaration;  // its width is the count field's
    NodeList children;  // one element's nodes
};

}  // namespace teds::tdl::nodes
