#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

struct Case {
    std::string name;
    std::int64_t selectorValue = 0;  // as declared; decoding selects by position
    NodeList nodes;
};

// SELECTCASE: a selector field picks which case's nodes follow in the image.
class SelectCase final : public Node {
public:
    SelectCase(std::string name, std::uint32_t selectorBits, std::vector<Case> cases)
        : name(std::move(name)), selectorBits(selectorBits), cases(std::move(cases)) {}

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                decode::RecordBudget& budget) const override;
    bool encode(decode::BitStream& stream, const decode::ValueRecord& record) const override;
    void collectNames(const std::string& prefix, bool usePrefix,
                      std::vector<std::string>& names) const override;

    std::string name;
    std::uint32_t selectorBits;
    std::vector<Case> cases;  // the selector value is an index into this list
};

}  // namespace teds::tdl::nodes
