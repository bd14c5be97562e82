#pragma once
// One template of a TDL file: its identity and the nodes of its body.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/types/BitWriter.hpp"

namespace teds::tdl {

struct Template {
    std::int32_t manufacturerKey = 0;  // 0 for IEEE standard templates
    std::uint32_t idWidth = 0;         // width of the template ID field, in bits
    std::uint32_t templateId = 0;
    std::string name;
    nodes::NodeList body;  // in declaration order
    std::size_t recordsHint = 0;  // of the body, reckoned when it is complete

    // Decodes the body into `values`, what they refer to into `store`.
    // Stops at the first node that fails; the records of the nodes before it stay.
    bool decodeBody(types::BitReader& in, std::vector<types::ValueRecord>& values, types::RecordStore& store,
                    types::DecodeBudget& budget) const;
    // Writes decoded records back as the body's bits. False, with the reason
    // in `error`, when they do not fit the body or some are left over.
    bool encodeBody(types::BitWriter& out, const std::vector<types::ValueRecord>& values, std::string& error) const;

    // A heading line with the identity, then the body's nodes.
    void dump(std::ostream& out, const std::string& indent) const;
};

}  // namespace teds::tdl
