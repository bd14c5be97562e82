#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

bool Node::decode(decode::BitStream&, std::vector<decode::ValueRecord>&, decode::RecordBudget&) const {
    return true;
}

bool Node::encode(decode::BitStream&, const decode::ValueRecord&) const { return true; }

void Node::collectNames(const std::string&, bool, std::vector<std::string>&) const {}

bool decodeNodeList(const NodeList& nodes, decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                    decode::RecordBudget& budget) {
    // Each node decodes into its own list so that a failing node leaves
    // nothing half-written behind the records of the nodes before it.
    std::vector<decode::ValueRecord> produced;
    for (const NodePtr& node : nodes) {
        produced.clear();
        if (!node->decode(stream, produced, budget)) return false;
        for (decode::ValueRecord& record : produced) out.push_back(std::move(record));
    }
    return true;
}

void dumpNodeList(const NodeList& nodes, std::ostream& out, const std::string& indent) {
    for (const NodePtr& node : nodes) node->dump(out, indent);
}

}  // namespace teds::tdl::nodes
