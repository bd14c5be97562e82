#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "teds/types/BitWriter.hpp"
#include "teds/types/ValueRecord.hpp"

namespace teds::tdl::nodes {

// Hands the records of a decode back to the nodes that made them, in the
// order decoding produced them, and keeps the first reason encoding failed.
class RecordSource {
public:
    RecordSource(types::BitWriter& out, const std::vector<types::ValueRecord>& records, std::string& error)
        : out(out), records_(records), error_(error) {}
    // The records of one struct array element, written and failing with `outer`.
    RecordSource(RecordSource& outer, const std::vector<types::ValueRecord>& records)
        : RecordSource(outer.out, records, outer.error_) {}

    // The next record, which must carry `name`; null, with the reason kept, otherwise.
    const types::ValueRecord* take(const std::string& name);
    // The next record when it carries `name`; nothing is taken otherwise.
    const types::ValueRecord* takeIfNamed(const std::string& name);
    bool finished() const { return next_ == records_.size(); }
    const types::ValueRecord* peek() const { return finished() ? nullptr : &records_[next_]; }

    // Keeps `message` unless an earlier one is kept; always false.
    bool fail(std::string message);

    types::BitWriter& out;

private:
    const std::vector<types::ValueRecord>& records_;
    std::size_t next_ = 0;
    std::string& error_;
};

}  // namespace teds::tdl::nodes
