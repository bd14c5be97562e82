#include "teds/tdl/nodes/SelectCase.hpp"

#include <algorithm>

namespace teds::tdl::nodes {

void SelectCase::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "select case //" << name << '\n';
    const std::string inner = indent + "  ";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        out << indent << " case " << i << ":\n";
        dumpNodeList(cases[i].nodes, out, inner);
    }
}

bool SelectCase::decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                        types::DecodeBudget& budget) const {
    const std::uint64_t selector = in.readBits(declaration.width);
    if (!budget.takeRecord()) return false;
    // The marker keeps the selector so the case can be written back.
    types::ValueRecord& marker = out.emplace_back();
    marker.value = types::SelectMarkerValue{selector};
    marker.property = &declaration;
    if (selector >= cases.size()) return true;  // no such case: nothing more in the image
    return decodeNodeList(cases[static_cast<std::size_t>(selector)].nodes, in, out, store, budget);
}

bool SelectCase::encode(RecordSource& records) const {
    const types::ValueRecord* record = records.take("");
    if (record == nullptr) return false;
    const auto* marker = std::get_if<types::SelectMarkerValue>(&record->value);
    if (marker == nullptr) return records.fail("select case '" + name + "' needs a case index");
    if (!records.out.writeBits(declaration.width, marker->selector))
        return records.fail("cannot encode select case '" + name + "'");
    // A selector with no case has nothing behind it, as in decoding.
    if (marker->selector >= cases.size()) return true;
    return encodeNodeList(cases[static_cast<std::size_t>(marker->selector)].nodes, records);
}

std::size_t SelectCase::recordsHint() const {
    std::size_t largest = 0;
    for (const Case& c : cases) largest = std::max(largest, nodes::recordsHint(c.nodes));
    return 1 + largest;  // the marker, then the case
}

}  // namespace teds::tdl::nodes
