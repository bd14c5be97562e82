#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "teds/types/RecordWalk.hpp"

namespace teds::types {
namespace {

ValueRecord named(const char* name) { return ValueRecord{name, UnsignedValue{1}, nullptr}; }

// v1, marker, A[ {v2, marker}, {} , {B[ {v3} ]} ], v4
std::vector<ValueRecord> tree() {
    const ValueRecord marker{"", SelectMarkerValue{0}, nullptr};
    const ValueRecord inner{"B", StructArrayValue{{{named("v3")}}}, nullptr};
    const ValueRecord outer{"A", StructArrayValue{{{named("v2"), marker}, {}, {inner}}}, nullptr};
    return {named("v1"), marker, outer, named("v4")};
}

// Every event of a walk as text: a record's name ("*" for a marker), "[i" and "]".
struct Trace {
    std::string events;
    void record(const ValueRecord& r) { events += r.name.empty() ? std::string("* ") : std::string(r.name) + ' '; }
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
    const std::vector<ValueRecord> records = tree();
    for (const auto& c : cases) {
        Trace trace;
        EXPECT_TRUE(walkRecords(records, c.set, trace));
        EXPECT_EQ(trace.events, c.events) << c.what;
    }
}

TEST(RecordWalk, AVisitorThatSaysStopEndsTheWalkAtEveryDepth) {
    std::vector<std::string> seen;
    const bool finished = forEachRecord(tree(), kPositioned, [&](const ValueRecord& r) {
        seen.emplace_back(r.name);
        return r.name != "v3";
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(seen, (std::vector<std::string>{"v1", "v2", "v3"}));
}

}  // namespace
}  // namespace teds::types
