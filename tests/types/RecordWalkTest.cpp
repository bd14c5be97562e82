#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "teds/types/RecordStore.hpp"
#include "teds/types/RecordWalk.hpp"
#include "support/DeclaredRecords.hpp"

namespace teds::types {
namespace {

ValueRecord named(const char* name) { return teds::testing::namedRecord(name, UnsignedValue{1}); }

// v1, marker, A[ {v2, marker}, {} , {B[ {v3} ]} ], v4; the elements are kept in `store`.
std::vector<ValueRecord> tree(RecordStore& store) {
    const ValueRecord marker{SelectMarkerValue{0}, nullptr};
    StructElements& innerElements = store.newElements();
    innerElements = {{named("v3")}};
    const ValueRecord inner = teds::testing::namedRecord("B", StructArrayValue{innerElements});
    StructElements& outerElements = store.newElements();
    outerElements = {{named("v2"), marker}, {}, {inner}};
    const ValueRecord outer = teds::testing::namedRecord("A", StructArrayValue{outerElements});
    return {named("v1"), marker, outer, named("v4")};
}

// Every event of a walk as text: a record's name ("*" for a marker), "[i" and "]".
struct Trace {
    std::string events;
    void record(const ValueRecord& r) { events += r.name().empty() ? std::string("* ") : std::string(r.name()) + ' '; }
    void enterElement(std::size_t i) { events += '[' + std::to_string(i) + ' '; }
    void leaveElement() { events += "] "; }
};

TEST(RecordWalk, EachSetSeesItsRecordsDepthFirstWithEveryElement) {
    const struct {
        const char* what;
        RecordSet set;
        const char* events;
    } cases[] = {
        {"positioned", kPositioned, "v1 [0 v2 ] [1 ] [2 [0 v3 ] ] v4 "},
        {"named", kNamed, "v1 * [0 v2 * ] [1 ] [2 [0 v3 ] ] v4 "},
        {"shown", kShown, "v1 A [0 v2 ] [1 ] [2 B [0 v3 ] ] v4 "},
        {"markers", kMarkersOnly, "* [0 * ] [1 ] [2 [0 ] ] "},
    };
    RecordStore store;
    const std::vector<ValueRecord> records = tree(store);
    for (const auto& c : cases) {
        Trace trace;
        EXPECT_TRUE(walkRecords(records, c.set, trace));
        EXPECT_EQ(trace.events, c.events) << c.what;
    }
}

TEST(RecordWalk, AVisitorThatSaysStopEndsTheWalkAtEveryDepth) {
    std::vector<std::string> seen;
    RecordStore store;
    const bool finished = forEachRecord(tree(store), kPositioned, [&](const ValueRecord& r) {
        seen.emplace_back(r.name());
        return r.name() != "v3";
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(seen, (std::vector<std::string>{"v1", "v2", "v3"}));
}

}  // namespace
}  // namespace teds::types
