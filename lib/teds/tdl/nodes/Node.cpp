#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

bool Node::decode(types::BitReader&, std::vector<types::ValueRecord>&, types::RecordStore&,
                  types::DecodeBudget&) const {
    return true;
}

bool Node::encode(RecordSource&) const { return true; }


bool decodeNodeList(const NodeList& nodes, types::BitReader& in, std::vector<types::ValueRecord>& out,
                    types::RecordStore& store, types::DecodeBudget& budget) {
    for (const NodePtr& node : nodes) {
        // A failing node leaves nothing half-written behind the records of
        // the nodes before it: whatever it appended is dropped again.
        const std::size_t before = out.size();
        if (!node->decode(in, out, store, budget)) {
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(before), out.end());
            return false;
        }
    }
    return true;
}

std::size_t recordsHint(const NodeList& nodes) {
    std::size_t records = 0;
    for (const NodePtr& node : nodes) records += node->recordsHint();
    return records;
}

bool encodeNodeList(const NodeList& nodes, RecordSource& records) {
    for (const NodePtr& node : nodes)
        if (!node->encode(records)) return false;
    return true;
}

void dumpNodeList(const NodeList& nodes, std::ostream& out, const std::string& indent) {
    for (const NodePtr& node : nodes) node->dump(out, indent);
}

}  // namespace teds::tdl::nodes
