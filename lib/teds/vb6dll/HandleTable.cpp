#include "HandleTable.hpp"

#include <utility>

namespace teds::vb6dll {

namespace {

template <class Handle>
std::uintptr_t idOf(Handle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

template <class Handle>
Handle handleOf(std::uint32_t id) {
    return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(id));
}

}  // namespace

std::uint32_t HandleTable::issue(Kind kind, std::uint32_t issuer, std::shared_ptr<const void> object) {
    // Ids wrap only after four billion handles; then the next free one is
    // taken, 0 (the null handle) never.
    if (entries_.size() >= UINT32_MAX - 1) return 0;
    std::uint32_t id = lastId_;
    do {
        ++id;
    } while (id == 0 || entries_.count(id) != 0);
    entries_.emplace(id, Entry{kind, issuer, std::move(object)});
    lastId_ = id;
    return id;
}

const HandleTable::Entry* HandleTable::find(std::uintptr_t handle, Kind kind) const {
    // Values wider than an id (a pointer on a 64-bit build) were never issued.
    if (handle != static_cast<std::uint32_t>(handle)) return nullptr;
    const auto found = entries_.find(static_cast<std::uint32_t>(handle));
    return found != entries_.end() && found->second.kind == kind ? &found->second : nullptr;
}

TedsParser HandleTable::addParser(std::shared_ptr<MirxTedsParser> parser) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return handleOf<TedsParser>(issue(Kind::Parser, 0, std::move(parser)));
}

DecodedTeds HandleTable::addTeds(TedsParser issuer, std::shared_ptr<const MirxDecodedTeds> teds) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!find(idOf(issuer), Kind::Parser)) return nullptr;
    return handleOf<DecodedTeds>(issue(Kind::Teds, static_cast<std::uint32_t>(idOf(issuer)), std::move(teds)));
}

std::shared_ptr<MirxTedsParser> HandleTable::parser(TedsParser handle) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const Entry* entry = find(idOf(handle), Kind::Parser);
    // Only parsers are stored under this kind, and they were stored mutable.
    return entry ? std::const_pointer_cast<MirxTedsParser>(
                       std::static_pointer_cast<const MirxTedsParser>(entry->object))
                 : nullptr;
}

std::shared_ptr<const MirxDecodedTeds> HandleTable::teds(DecodedTeds handle) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const Entry* entry = find(idOf(handle), Kind::Teds);
    return entry ? std::static_pointer_cast<const MirxDecodedTeds>(entry->object) : nullptr;
}

std::vector<std::shared_ptr<const void>> HandleTable::removeParser(TedsParser handle) {
    std::vector<std::shared_ptr<const void>> removed;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!find(idOf(handle), Kind::Parser)) return removed;
    const auto id = static_cast<std::uint32_t>(idOf(handle));
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (entry->first == id || (entry->second.kind == Kind::Teds && entry->second.issuer == id)) {
            removed.push_back(std::move(entry->second.object));
            entry = entries_.erase(entry);
        } else {
            ++entry;
        }
    }
    return removed;
}

std::shared_ptr<const void> HandleTable::removeTeds(DecodedTeds handle) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!find(idOf(handle), Kind::Teds)) return nullptr;
    const auto found = entries_.find(static_cast<std::uint32_t>(idOf(handle)));
    std::shared_ptr<const void> object = std::move(found->second.object);
    entries_.erase(found);
    return object;
}

HandleTable& handleTable() {
    // Destroyed when the library is unloaded, with the handles a caller
    // never released.
    static HandleTable table;
    return table;
}

}  // namespace teds::vb6dll
