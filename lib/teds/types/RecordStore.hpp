#pragma once
// What the records of one list refer to and do not hold: the texts read
// from an image or stated for one, and the elements of struct arrays.
// Whatever owns a record list owns its store beside it.

#include <forward_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "teds/types/ValueRecord.hpp"

namespace teds::types {

class RecordStore {
public:
    RecordStore() = default;
    RecordStore(RecordStore&&) noexcept = default;
    RecordStore& operator=(RecordStore&&) noexcept = default;
    // A copied store would hold texts that no copied record points at: a
    // list of records is copied with copyRecords, into the copy's own store.
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // `text`, kept for as long as the store lives.
    std::string_view keepText(std::string text);
    // A new, empty list for the elements of one struct array.
    StructElements& newElements();
    void clear();

private:
    // Node lists: an entry keeps its address while others are added and
    // when the store is moved, and an empty list allocates nothing.
    std::forward_list<std::string> texts_;
    std::forward_list<StructElements> elements_;
};

static_assert(std::is_nothrow_move_constructible_v<RecordStore>);

// `records`, with the texts and elements they refer to kept again in `store`.
std::vector<ValueRecord> copyRecords(const std::vector<ValueRecord>& records, RecordStore& store);

}  // namespace teds::types
