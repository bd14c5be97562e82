#include "teds/tdl/nodes/StructArray.hpp"

namespace teds::tdl::nodes {

void StructArray::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "array '" << declaration.name << "'";
    if (!declaration.description.empty()) out << " //" << declaration.description;
    out << '\n';
    dumpNodeList(children, out, indent + "  ");
}

bool StructArray::decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                         types::DecodeBudget& budget) const {
    const std::uint64_t count = in.readBits(declaration.width);

    types::StructElements& elements = store.newElements();
    for (std::uint64_t i = 0; i < count; ++i) {
        // The count comes from the image and may be anything. Elements past
        // its end would be all zeros, and an element that reads nothing and
        // yields nothing adds nothing a query could see: either ends the array.
        if (!in.hasMore()) break;
        if (!budget.takeElement()) return false;
        const std::uint64_t before = in.position();
        types::StructElement element;
        if (!decodeNodeList(children, in, element, store, budget)) return false;
        if (element.empty() && in.position() == before) break;
        elements.push_back(std::move(element));
    }

    if (!budget.takeRecord()) return false;
    out.push_back(types::ValueRecord{types::StructArrayValue{elements}, &declaration});
    return true;
}

bool StructArray::encode(RecordSource& records) const {
    const std::string& name = declaration.name;
    const types::ValueRecord* record = records.take(name);
    if (record == nullptr) return false;
    const auto* array = std::get_if<types::StructArrayValue>(&record->value);
    if (array == nullptr) return records.fail(name + " needs its elements");
    const std::span<const types::StructElement> elements = array->elements;
    const std::uint32_t countBits = declaration.width;
    if (countBits < 64 && std::uint64_t{elements.size()} >> countBits != 0)
        return records.fail(name + " has more elements than its count field holds");
    if (!records.out.writeBits(countBits, elements.size())) return records.fail("cannot encode " + name);
    for (const types::StructElement& element : elements) {
        RecordSource inElement(records, element);
        if (!encodeNodeList(children, inElement)) return false;
        if (!inElement.finished()) return records.fail(name + " element has values the template lacks");
    }
    return true;
}

}  // namespace teds::tdl::nodes
