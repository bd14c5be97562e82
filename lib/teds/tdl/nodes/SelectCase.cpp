#include "teds/tdl/nodes/SelectCase.hpp"

namespace teds::tdl::nodes {

void SelectCase::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "select case //" << name << '\n';
    const std::string inner = indent + "  ";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        out << indent << " case " << i << ":\n";
        dumpNodeList(cases[i].nodes, out, inner);
    }
}

bool SelectCase::decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                        decode::RecordBudget& budget) const {
    const auto selector = static_cast<std::uint32_t>(stream.readBits(selectorBits));
    if (!budget.take()) return false;
    // The marker keeps the selector so the case can be written back.
    out.push_back(decode::ValueRecord{std::string(), decode::ValueKind::SelectMarker, selector, this});
    if (selector >= cases.size()) return true;  // no such case: nothing more in the image
    return decodeNodeList(cases[selector].nodes, stream, out, budget);
}

bool SelectCase::encode(decode::BitStream& stream, const decode::ValueRecord& record) const {
    const auto* selector = boost::get<std::uint32_t>(&record.value);
    if (selector == nullptr) return false;
    return stream.writeBits(selectorBits, *selector);
}

void SelectCase::collectNames(const std::string& prefix, bool usePrefix, std::vector<std::string>& names) const {
    for (const Case& c : cases)
        for (const NodePtr& node : c.nodes) node->collectNames(prefix, usePrefix, names);
}

}  // namespace teds::tdl::nodes
