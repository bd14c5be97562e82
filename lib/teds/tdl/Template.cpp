#include "teds/tdl/Template.hpp"

#include "teds/tdl/nodes/RecordSource.hpp"

namespace teds::tdl {

bool Template::decodeBody(types::BitReader& in, std::vector<types::ValueRecord>& values,
                          types::RecordBudget& budget) const {
    // Most top-level nodes yield one record; reserving for them saves the
    // moves of a growing list.
    values.reserve(values.size() + body.size());
    return nodes::decodeNodeList(body, in, values, budget);
}

bool Template::encodeBody(types::BitWriter& out, const std::vector<types::ValueRecord>& values,
                          std::string& error) const {
    nodes::RecordSource records(out, values, error);
    if (!nodes::encodeNodeList(body, records)) return false;
    if (!records.finished())
        return records.fail("template " + std::to_string(templateId) + " has no field for '" + std::string(records.peek()->name) + "'");
    return true;
}

void Template::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "template " << manufacturerKey << '-' << templateId << " (" << idWidth << "-bit ID) '" << name
        << "'\n";
    nodes::dumpNodeList(body, out, indent + "  ");
}

}  // namespace teds::tdl
