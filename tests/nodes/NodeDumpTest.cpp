#include <gtest/gtest.h>

#include <sstream>

#include "support/NodeFactory.hpp"
#include "support/NodeNames.hpp"
#include "teds/tdl/nodes/Abstract.hpp"
#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Spacing.hpp"
#include "teds/tdl/nodes/UGId.hpp"

namespace {

using namespace teds::tdl::nodes;
using teds::testing::nodeList;
using teds::testing::enumProperty;
using teds::testing::property;
using teds::types::DataType;

std::string dumpOf(const Node& node, const std::string& indent) {
    std::ostringstream out;
    node.dump(out, indent);
    return out.str();
}

std::unique_ptr<Property> qualified(Qualifier qualifier, const char* text = "") {
    auto node = property("Sens", DataType::ConRes, 16);
    node->qualifier = qualifier;
    node->qualifierText = text;
    node->declaration.description = "sensitivity";
    return node;
}

struct DumpCase {
    const char* what;
    std::shared_ptr<Node> node;
    const char* expected;
};

void PrintTo(const DumpCase& c, std::ostream* os) { *os << c.what; }

class NodeDump : public ::testing::TestWithParam<DumpCase> {};

TEST_P(NodeDump, WritesItsLine) {
    EXPECT_EQ(dumpOf(*GetParam().node, "% "), GetParam().expected) << GetParam().what;
}

std::shared_ptr<Node> enumNode() {
    return std::make_shared<Enum>("Pol", std::vector<EnumEntry>{{0, "pos"}, {1, "neg"}});
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, NodeDump,
    ::testing::Values(
        DumpCase{"abstract", std::make_shared<Abstract>("ABSTRACT accelerometer"), "% ABSTRACT accelerometer\n"},
        DumpCase{"align has no indent", std::make_shared<Align>(8), "<align read position to 8 bits>\n"},
        DumpCase{"spacing is an empty line", std::make_shared<Spacing>(), "\n"},
        DumpCase{"ugid with comment", std::make_shared<UGId>("G1", "group"), "% UGID = G1 //group\n"},
        DumpCase{"ugid without comment", std::make_shared<UGId>("G1", ""), "% UGID = G1\n"},
        DumpCase{"enum", enumNode(), "% enum 'Pol' <0=pos, 1=neg>\n"},
        DumpCase{"unit has no indent",
                 std::make_shared<PhysicalUnit>("V", teds::types::UnitType::Product, std::array<std::int32_t, 9>{}, 1.0, 0.0), "Unit 'V'\n"},
        DumpCase{"plain property", std::shared_ptr<Node>(qualified(Qualifier::None)),
                 "% Property 'Sens'; type=13; sz=16 //sensitivity\n"},
        DumpCase{"default qualifier", std::shared_ptr<Node>(qualified(Qualifier::Default)),
                 "% Property 'Sens[DEFAULT]'; type=13; sz=16 //sensitivity\n"},
        DumpCase{"function qualifier", std::shared_ptr<Node>(qualified(Qualifier::Function)),
                 "% Property 'Sens[FUNCTION]'; type=13; sz=16 //sensitivity\n"},
        DumpCase{"text qualifier", std::shared_ptr<Node>(qualified(Qualifier::Text, "MyQual")),
                 "% Property 'Sens[MyQual]'; type=13; sz=16 //sensitivity\n"},
        DumpCase{"enum property", std::shared_ptr<Node>(enumProperty("Polarity", "Pol", 1, "d")),
                 "% Property 'Polarity'; type=Enum; sz=1 //Pol\n"}));

TEST(NodeDump, NestedArrayIndentsItsChildren) {
    StructArray array("X", "", 8, nodeList(property("V", DataType::Unint, 8)));
    EXPECT_EQ(dumpOf(array, "% "), "% array 'X'\n%   Property 'V'; type=2; sz=8 //\n");

    StructArray commented("X", "points", 8, {});
    EXPECT_EQ(dumpOf(commented, ""), "array 'X' //points\n");
}

TEST(NodeDump, SelectCaseNumbersItsCasesFromZero) {
    std::vector<Case> cases(2);
    cases[1].nodes.push_back(property("B", DataType::Unint, 4));
    SelectCase select("Mode", 1, std::move(cases));
    EXPECT_EQ(dumpOf(select, "> "),
              "> select case //Mode\n"
              ">  case 0:\n"
              ">  case 1:\n"
              ">   Property 'B'; type=2; sz=4 //\n");
    EXPECT_EQ(dumpOf(SelectCase("Empty", 1, {}), ""), "select case //Empty\n");
}

TEST(CollectNames, ArraysPrefixTheirChildrenAndSelectsPassThrough) {
    std::vector<Case> cases(1);
    cases[0].nodes.push_back(property("inCase", DataType::Unint, 4));
    const auto nodes = nodeList(property("top", DataType::Unint, 4),
                                std::make_unique<SelectCase>("S", 1, std::move(cases)),
                                teds::testing::structArray("Arr", 4, nodeList(property("inArr", DataType::Unint, 4))));
    std::vector<std::string> plain, prefixed;
    for (const auto& node : nodes) {
        teds::testing::collectNames(*node, "", false, plain);
        teds::testing::collectNames(*node, "T.", true, prefixed);
    }
    EXPECT_EQ(plain, (std::vector<std::string>{"top", "inCase", "inArr"}));
    EXPECT_EQ(prefixed, (std::vector<std::string>{"T.top", "T.inCase", "T.Arr.inArr"}));
}

}  // namespace
