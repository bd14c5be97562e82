#pragma once
// One template of a TDL file: its identity and the nodes of its body.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "teds/decode/BitStream.hpp"
#include "teds/decode/RecordBudget.hpp"
#include "teds/decode/ValueRecord.hpp"
#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl {

struct Template {
    std::int32_t manufacturerKey = 0;  // 0 for IEEE standard templates
    std::uint32_t idWidth = 0;         // width of the template ID field, in bits
    std::uint32_t templateId = 0;
    std::string name;
    nodes::NodeList body;  // in declaration order

    // Decodes the body into `values`. Stops at the first node that fails;
    // the records of the nodes before it stay.
    bool decodeBody(decode::BitStream& stream, std::vector<decode::ValueRecord>& values,
                    decode::RecordBudget& budget) const;

    // A heading line with the identity, then the body's nodes.
    void dump(std::ostream& out, const std::string& indent) const;
};

}  // namespace teds::tdl
