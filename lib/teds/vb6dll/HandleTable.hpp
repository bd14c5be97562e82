#pragma once
// The table of live handles: the one piece of shared mutable state of the
// library, kept here at the boundary so that every export can refuse a
// handle it did not issue, one already released, or one of the other kind,
// before anything is dereferenced.
//
// A handle is an id, not an address: ids count up and are not reused while
// the table has room for new ones, so a stale handle kept in a caller's
// Long stays dead even after its memory has been given to a new handle. An
// id fits 32 bits, so a handle fits a VB6 Long on every build.
//
// Lookups hand out shared ownership under a short lock; the query itself
// runs outside the lock, so queries on one handle from several threads run
// side by side, and a handle released on another thread meanwhile lives on
// until the queries that hold it have finished.

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "Handles.hpp"

namespace teds::vb6dll {

class HandleTable {
public:
    // Null when no id is left (four billion handles alive) or memory runs out.
    TedsParser addParser(std::shared_ptr<MirxTedsParser> parser);
    // Null as well when `issuer` is no longer a live parser: a parser
    // destroyed while its image was decoding issues no handle.
    DecodedTeds addTeds(TedsParser issuer, std::shared_ptr<const MirxDecodedTeds> teds);

    // Null for anything but a live handle of that kind.
    std::shared_ptr<MirxTedsParser> parser(TedsParser handle) const;
    std::shared_ptr<const MirxDecodedTeds> teds(DecodedTeds handle) const;

    // Removes a live parser together with every TEDS handle it issued (they
    // point into its templates). What was removed is returned, so that it is
    // destroyed after the lock is released.
    std::vector<std::shared_ptr<const void>> removeParser(TedsParser handle);
    std::shared_ptr<const void> removeTeds(DecodedTeds handle);

private:
    enum class Kind : std::uint8_t { Parser, Teds };
    struct Entry {
        Kind kind;
        std::uint32_t issuer;  // the parser of a TEDS handle; 0 for a parser
        std::shared_ptr<const void> object;
    };

    std::uint32_t issue(Kind kind, std::uint32_t issuer, std::shared_ptr<const void> object);
    const Entry* find(std::uintptr_t handle, Kind kind) const;

    mutable std::mutex mutex_;
    std::unordered_map<std::uint32_t, Entry> entries_;
    std::uint32_t lastId_ = 0;
};

// The table the exports share, created on first use.
HandleTable& handleTable();

}  // namespace teds::vb6dll
