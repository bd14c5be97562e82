#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

// ALIGN: the stream is never moved to an alignment, so a template that asks
// for one stops decoding here.
class Align final : public Node {
public:
    explicit Align(std::int32_t bits) : bits(bits) {}
    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                types::DecodeBudget& budget) const override;

    std::int32_t bits;
};

}  // namespace teds::tdl::nodes
