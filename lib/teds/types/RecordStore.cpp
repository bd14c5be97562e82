#include "teds/types/RecordStore.hpp"

namespace teds::types {

std::string_view RecordStore::keepText(std::string text) { return texts_.emplace_front(std::move(text)); }

StructElements& RecordStore::newElements() { return elements_.emplace_front(); }

void RecordStore::clear() {
    texts_.clear();
    elements_.clear();
}

std::vector<ValueRecord> copyRecords(const std::vector<ValueRecord>& records, RecordStore& store) {
    std::vector<ValueRecord> copy(records);
    for (ValueRecord& record : copy) {
        if (auto* text = std::get_if<TextValue>(&record.value)) {
            text->text = store.keepText(std::string(text->text));
        } else if (auto* array = std::get_if<StructArrayValue>(&record.value)) {
            StructElements& elements = store.newElements();
            elements.reserve(array->elements.size());
            for (const StructElement& element : array->elements) elements.push_back(copyRecords(element, store));
            array->elements = elements;
        }
    }
    return copy;
}

}  // namespace teds::types
