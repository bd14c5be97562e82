#include "teds/tdl/Template.hpp"

#include <algorithm>

#include "teds/tdl/nodes/RecordSource.hpp"

namespace teds::tdl {

bool Template::decodeBody(types::BitReader& in, std::vector<types::ValueRecord>& values, types::RecordStore& store,
                          types::DecodeBudget& budget) const {
    // Reserving for the records the body usually yields saves the moves
    // and allocations of a growing list. No more is reserved than the bits left in the
    // image, so a wide template repeated at the end of an image cannot
    // reserve what it will never fill; what is reserved is paid for, and
    // with the budget spent nothing is.
    const std::uint64_t expected = std::min<std::uint64_t>(recordsHint, in.remaining());
    if (expected > values.capacity() - values.size() && budget.take(expected * sizeof(types::ValueRecord)))
        values.reserve(values.size() + static_cast<std::size_t>(expected));
    return nodes::decodeNodeList(body, in, values, store, budget);
}

bool Template::encodeBody(types::BitWriter& out, const std::vector<types::ValueRecord>& values,
                          std::string& error) const {
    nodes::RecordSource records(out, values, error);
    if (!nodes::encodeNodeList(body, records)) return false;
    if (!records.finished())
        return records.fail("template " + std::to_string(templateId) + " has no field for '" + std::string(records.peek()->name()) + "'");
    return true;
}

void Template::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "template " << manufacturerKey << '-' << templateId << " (" << idWidth << "-bit ID) '" << name
        << "'\n";
    nodes::dumpNodeList(body, out, indent + "  ");
}

}  // namespace teds::tdl
