#include "teds/tdl/Template.hpp"

namespace teds::tdl {

bool Template::decodeBody(decode::BitStream& stream, std::vector<decode::ValueRecord>& values,
                          decode::RecordBudget& budget) const {
    // Most top-level nodes yield one record; reserving for them saves the
    // moves of a growing list.
    values.reserve(values.size() + body.size());
    return nodes::decodeNodeList(body, stream, values, budget);
}

void Template::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "template " << manufacturerKey << '-' << templateId << " (" << idWidth << "-bit ID) '" << name
        << "'\n";
    nodes::dumpNodeList(body, out, indent + "  ");
}

}  // namespace teds::tdl
