#include "teds/tdl/nodes/RecordSource.hpp"

namespace teds::tdl::nodes {

const types::ValueRecord* RecordSource::take(const std::string& name) {
    if (finished()) {
        fail("no value given for '" + name + "'");
        return nullptr;
    }
    const types::ValueRecord& record = records_[next_];
    if (record.name() != name) {
        fail("expected a value for '" + name + "', found '" + std::string(record.name()) + "'");
        return nullptr;
    }
    ++next_;
    return &record;
}

const types::ValueRecord* RecordSource::takeIfNamed(const std::string& name) {
    if (finished() || records_[next_].name() != name) return nullptr;
    return &records_[next_++];
}

bool RecordSource::fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
}

}  // namespace teds::tdl::nodes
