#pragma once
// The counted records of every template of a decoded image, in the order
// selection by position walks them, so that reading a whole table by
// position costs one step per value instead of a walk from the start each time.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "teds/decode/TemplateRecord.hpp"

namespace teds::decode {

class PositionIndex {
public:
    PositionIndex() = default;
    // The records must stay where they are for as long as the index is used.
    explicit PositionIndex(const std::vector<TemplateRecord>& templates);

    // What countValues gives for the template's values.
    std::int32_t count(std::size_t templateIndex) const;
    // What selectByPosition gives for the template's values; null past the end.
    const types::ValueRecord* at(std::size_t templateIndex, std::uint32_t position) const;

private:
    bool holds(std::size_t templateIndex) const;
    void add(const std::vector<types::ValueRecord>& values);

    std::vector<const types::ValueRecord*> records_;
    std::vector<std::size_t> starts_;  // where each template's records begin, and one past the last
};

}  // namespace teds::decode
