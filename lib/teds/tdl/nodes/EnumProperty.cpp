#include "teds/tdl/nodes/EnumProperty.hpp"

#include "teds/tdl/nodes/Enum.hpp"

namespace teds::tdl::nodes {

void EnumProperty::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << declaration.name << "'; type=Enum; sz=" << declaration.width << " //"
        << declaration.enumeration << '\n';
}

bool EnumProperty::decode(types::BitReader& in, std::vector<types::ValueRecord>& out,
                          types::DecodeBudget& budget) const {
    types::EnumValue value;
    if (hasFixedIndex)
        value.index = static_cast<std::uint32_t>(fixedIndex);
    else if (hasFixedText)
        value.text = fixedText;
    else
        value.index = static_cast<std::uint32_t>(in.readBits(declaration.width));

    if (enumRef != nullptr) {
        if (value.text.empty()) {
            if (const std::string* text = enumRef->textFor(value.index)) value.text = *text;
        } else if (auto index = enumRef->indexOf(value.text)) {
            value.index = *index;
        }
    }

    if (!budget.takeRecord()) return false;
    out.push_back(types::ValueRecord{declaration.name, types::ValueKind::Enumeration, std::move(value), &declaration});
    return true;
}

bool EnumProperty::encode(RecordSource& records) const {
    // A fixed index or text occupies no bits; its record, when given, is passed over.
    if (hasFixedIndex || hasFixedText) {
        records.takeIfNamed(declaration.name);
        return true;
    }
    const types::ValueRecord* record = records.take(declaration.name);
    if (record == nullptr) return false;
    const auto* value = boost::get<types::EnumValue>(&record->value);
    const std::uint32_t sz = declaration.width;
    if (value == nullptr || (sz < 32 && value->index >> sz != 0))
        return records.fail(declaration.name + " needs an index that fits " + std::to_string(sz) + " bits");
    return records.out.writeBits(sz, value->index) || records.fail("cannot encode " + declaration.name);
}

}  // namespace teds::tdl::nodes
