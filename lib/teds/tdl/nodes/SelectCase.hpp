#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/RecordSource.hpp"
#include "teds/types/PropertyDescription.hpp"

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
        : name(std::move(name)), cases(std::move(cases)) {
        declaration.width = selectorBits;
    }

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                types::DecodeBudget& budget) const override;
    bool encode(RecordSource& records) const override;
    std::size_t recordsHint() const override;

    std::string name;
    // What its marker records point at. Unnamed, since a marker stands for
    // the case taken, not for a value of the select's name.
    types::PropertyDescription declaration;
    std::vector<Case> cases;  // the selector value is an index into this list; it is kept whole, up to 64 bits
};

}  // namespace teds::tdl::nodes
