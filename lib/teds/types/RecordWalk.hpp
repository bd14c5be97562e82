#pragma once
// The one walk over a tree of value records. Struct arrays are entered
// depth-first, element by element, always; which records the visitor is
// handed is its choice of set, so every way of counting the records is
// named here once.

#include <cstddef>
#include <type_traits>
#include <vector>

#include "teds/types/ValueRecord.hpp"

namespace teds::types {

struct RecordSet {
    bool values = true;    // every record that is neither an array nor a marker
    bool arrays = false;   // struct-array records, handed over before their elements
    bool markers = false;  // select-case markers
};

// What selection by position counts: the values, at every depth.
inline constexpr RecordSet kPositioned{true, false, false};
// What selection by name finds: struct arrays are searched, never matched;
// markers are, by their empty name.
inline constexpr RecordSet kNamed{true, false, true};
// What is shown and written back: values and arrays, markers hidden.
inline constexpr RecordSet kShown{true, true, false};
inline constexpr RecordSet kEveryRecord{true, true, true};
inline constexpr RecordSet kMarkersOnly{false, false, true};

inline bool inSet(const ValueRecord& record, RecordSet set) {
    if (std::holds_alternative<StructArrayValue>(record.value)) return set.arrays;
    if (std::holds_alternative<SelectMarkerValue>(record.value)) return set.markers;
    return set.values;
}

// Calls visitor.record(record) for each record of `set`, in depth-first
// order; a record() that returns bool ends the walk by returning false.
// A visitor may also have enterElement(std::size_t index) and
// leaveElement(), called around the records of each struct-array element.
// True if the walk went to the end.
template <class Visitor>
bool walkRecords(const std::vector<ValueRecord>& records, RecordSet set, Visitor& visitor) {
    for (const ValueRecord& record : records) {
        if (inSet(record, set)) {
            if constexpr (std::is_same_v<decltype(visitor.record(record)), bool>) {
                if (!visitor.record(record)) return false;
            } else {
                visitor.record(record);
            }
        }
        const auto* array = std::get_if<StructArrayValue>(&record.value);
        if (array == nullptr) continue;
        for (std::size_t i = 0; i < array->elements.size(); ++i) {
            if constexpr (requires { visitor.enterElement(i); }) visitor.enterElement(i);
            if (!walkRecords(array->elements[i], set, visitor)) return false;
            if constexpr (requires { visitor.leaveElement(); }) visitor.leaveElement();
        }
    }
    return true;
}

// A walk that hands each record of `set` to one callable.
template <class Visit>
bool forEachRecord(const std::vector<ValueRecord>& records, RecordSet set, Visit visit) {
    struct {
        Visit& visit;
        decltype(auto) record(const ValueRecord& r) { return visit(r); }
    } visitor{visit};
    return walkRecords(records, set, visitor);
}

}  // namespace teds::types
