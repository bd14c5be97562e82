#include "teds/tdl/nodes/EnumProperty.hpp"

#include "teds/tdl/nodes/Enum.hpp"

namespace teds::tdl::nodes {

void EnumProperty::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << name << "'; type=Enum; sz=" << sz << " //" << enumName << '\n';
}

bool EnumProperty::decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                          decode::RecordBudget& budget) const {
    decode::EnumValue value;
    if (hasFixedIndex)
        value.index = static_cast<std::uint32_t>(fixedIndex);
    else if (hasFixedText)
        value.text = fixedText;
    else
        value.index = static_cast<std::uint32_t>(stream.readBits(sz));

    if (enumRef != nullptr) {
        if (value.text.empty()) {
            if (const std::string* text = enumRef->textFor(value.index)) value.text = *text;
        } else if (auto index = enumRef->indexOf(value.text)) {
            value.index = *index;
        }
    }

    if (!budget.take()) return false;
    out.push_back(decode::ValueRecord{name, decode::ValueKind::Enumeration, std::move(value), this});
    return true;
}

bool EnumProperty::encode(decode::BitStream& stream, const decode::ValueRecord& record) const {
    if (hasFixedIndex || hasFixedText) return true;  // occupies no bits
    const auto* value = boost::get<decode::EnumValue>(&record.value);
    if (value == nullptr) return false;
    return stream.writeBits(sz, value->index);
}

}  // namespace teds::tdl::nodes
