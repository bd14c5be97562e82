#include "teds/tdl/nodes/StructArray.hpp"

namespace teds::tdl::nodes {
namespace {

struct Position {
    const std::uint8_t* byte;
    std::uint8_t bit;
    bool operator==(const Position&) const = default;
};

Position positionOf(const decode::BitStream& stream) { return {stream.current, stream.bitIndex}; }

}  // namespace

void StructArray::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "array '" << name << "'";
    if (!comment.empty()) out << " //" << comment;
    out << '\n';
    dumpNodeList(children, out, indent + "  ");
}

bool StructArray::decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                         decode::RecordBudget& budget) const {
    const auto count = static_cast<std::uint32_t>(stream.readBits(countBits));

    decode::StructElements elements;
    for (std::uint32_t i = 0; i < count; ++i) {
        // The count comes from the image and may be anything. Elements past
        // its end would be all zeros, and an element that reads nothing and
        // yields nothing adds nothing a query could see: either ends the array.
        if (!stream.hasMore()) break;
        const Position before = positionOf(stream);
        decode::StructElement element;
        if (!decodeNodeList(children, stream, element, budget)) return false;
        if (element.empty() && positionOf(stream) == before) break;
        elements.push_back(std::move(element));
    }

    if (!budget.take()) return false;
    out.push_back(decode::ValueRecord{name, decode::ValueKind::StructArray, std::move(elements), this});
    return true;
}

void StructArray::collectNames(const std::string& prefix, bool usePrefix, std::vector<std::string>& names) const {
    for (const NodePtr& node : children) node->collectNames(prefix + name + ".", usePrefix, names);
}

}  // namespace teds::tdl::nodes
