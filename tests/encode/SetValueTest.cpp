// Settings by name on an image of a template with one property of each
// kind: what each data type accepts, how it is rounded or refused, how select
// cases and struct arrays follow, and which access level may change what.

#include <gtest/gtest.h>

#include <sstream>

#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"
#include "teds/decode/ValueText.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds/encode/TedsEncoder.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "support/DeclaredRecords.hpp"

namespace teds::encode {
namespace {

const char* const kTemplate =
    "TEMPLATE 0, 8, 60, \"One of each\"\n"
    "ENUMERATE Colour, \"red\", \"green\", \"blue\"\n"
    "%Grid, , CAL, 8, ConRes, 10, 0.5, ,\n"
    "%Rel, , CAL, 8, ConRelRes, 1, 0.05, ,\n"
    "%Deep, , CAL, 32, ConRelRes, 1, 0.05, ,\n"
    "%Day, , CAL, 16, DATE, ,\n"
    "%Who, , CAL, 15, CHR5, ,\n"
    "%Note, , USR, 21, ASCII, ,\n"
    "%Wide, , USR, 32, Unicode, ,\n"
    "%Count, , USR, 8, UNINT, ,\n"
    "%Colour, , ID, 2, Colour, ,\n"
    "%Shade, , USR, 0, Colour, , = \"blue\"\n"
    "SELECTCASE \"Mode\", USR, 1\n"
    "  CASE \"Plain\", 0\n"
    "  ENDCASE\n"
    "  CASE \"Extra\", 1\n"
    "    %Extra, , USR, 8, UNINT, ,\n"
    "  ENDCASE\n"
    "ENDSELECT\n"
    "STRUCTARRAY Points, \"\", USR, 4\n"
    "  %X, , USR, 8, UNINT, ,\n"
    "ENDSTRUCTARRAY\n"
    "ENDTEMPLATE\n";

StatedValue text(const char* name, const char* value) { return {name, std::nullopt, value, std::nullopt, nullptr}; }

StatedValue points(std::initializer_list<const char*> xs) {
    StatedValue array{"Points", std::nullopt, std::nullopt, std::vector<StatedElement>{}, nullptr};
    for (const char* x : xs) array.elements->push_back({text("%X", x)});
    return array;
}

class SetValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tdl::loadTdlText(registry_, kTemplate), 1);
        StatedTeds stated;
        stated.basic = {decode::BasicTedsLayout::Standard, 17, 1, 'A', 1, 1};
        stated.templates.push_back({0, 60,
                                    {text("%Grid", "12"), text("%Rel", "1.21"), text("%Deep", "1"), text("%Day", "2020-01-01"),
                                     text("%Who", "ABC"), text("%Note", "Hi!"), text("%Wide", "ab"),
                                     text("%Count", "5"), text("%Colour", "green"), points({"1", "2"})},
                                    {},
                                    std::nullopt});
        const Encoded base = encodeStated(registry_, stated, {});
        ASSERT_TRUE(base.ok()) << base.report.problems.front();
        base_ = base.image;
    }

    Encoded edit(const std::vector<Setting>& settings, EncodeOptions options = {}) {
        decoded_ = {};
        decode::decodeTeds(registry_, base_.bytes.data(), static_cast<std::uint32_t>(base_.bytes.size()), nullptr,
                           decoded_);
        return editTeds(registry_, decoded_, base_, settings, options);
    }

    // The value of the `occurrence`th record named `name` as the table shows it; empty when there is none.
    std::string valueIn(const Encoded& encoded, const std::string& name, std::uint32_t occurrence = 0) {
        decode::DecodedTeds again;
        decode::decodeTeds(registry_, encoded.image.bytes.data(), static_cast<std::uint32_t>(encoded.image.bytes.size()),
                           nullptr, again);
        if (again.templates.size() != 1) return "<no template>";
        const types::ValueRecord* record = decode::selectByName(again.templates[0].values, name, occurrence);
        if (record == nullptr) return {};
        std::ostringstream text;
        decode::writeValueText(text, *record);
        return text.str();
    }

    tdl::Registry registry_;
    container::Image base_;
    decode::DecodedTeds decoded_;
};

struct Accepted {
    const char* what;
    std::vector<Setting> settings;
    const char* name;
    std::uint32_t occurrence;
    const char* shown;
    bool rounded;
    types::Access access = types::Access::Id;
};

TEST_F(SetValueTest, AcceptedValuesReadBackAsTheFieldHoldsThem) {
    const Accepted cases[] = {
        {"ConRes on a grid point", {{"%Grid", "13.5"}}, "%Grid", 0, "13.5", false},
        {"ConRes between grid points", {{"%Grid", "13.6"}}, "%Grid", 0, "13.5", true},
        {"ConRelRes on a grid point", {{"%Rel", "1.331"}}, "%Rel", 0, "1.331", false},
        {"ConRelRes between grid points", {{"%Rel", "1.3"}}, "%Rel", 0, "1.331", true},
        {"ConRelRes below its start, a negative exponent", {{"%Deep", "0.5"}}, "%Deep", 0, "0.513158", true},
        {"date, by a calibration lab", {{"%Day", "2024-02-29"}}, "%Day", 0, "9555", false, types::Access::Calibration},
        {"CHR5 filled up with blanks", {{"%Who", "AB"}}, "%Who", 0, "AB ", false},
        {"ASCII", {{"%Note", "ok"}}, "%Note", 0, "ok ", false, types::Access::User},
        {"UTF-16", {{"%Wide", "\xCE\xA9"}}, "%Wide", 0, "\xCE\xA9 ", false},
        {"enumeration by text", {{"%Colour", "blue"}}, "%Colour", 0, "blue (2)", false},
        {"enumeration by index", {{"%Colour", "0"}}, "%Colour", 0, "red (0)", false},
        {"none", {{"%Count", "none"}}, "%Count", 0, "<no value>", false},
        {"a fixed value by its index", {{"%Shade", "2"}}, "%Shade", 0, "blue (2)", false},
        {"select case by name", {{"Mode", "Extra"}, {"%Extra", "7"}}, "%Extra", 0, "7", false},
        {"select case by a value of its case", {{"%Extra", "7"}}, "%Extra", 0, "7", false, types::Access::User},
        {"struct array grown", {{"Points", "3"}, {"Points[2].%X", "9"}}, "%X", 2, "9", false},
        {"struct array shrunk", {{"Points", "1"}}, "%X", 1, "", false},
        {"struct array element", {{"Points[1].%X", "8"}}, "%X", 1, "8", false},
    };
    for (const Accepted& c : cases) {
        EncodeOptions options;
        options.access = c.access;
        const Encoded encoded = edit(c.settings, options);
        ASSERT_TRUE(encoded.ok()) << c.what << ": " << encoded.report.problems.front();
        EXPECT_EQ(valueIn(encoded, c.name, c.occurrence), c.shown) << c.what;
        EXPECT_EQ(encoded.report.notes.size(), c.rounded ? 1u : 0u) << c.what;
        EXPECT_EQ(valueIn(encoded, "%Count"), c.settings[0].value == std::string("none") ? "<no value>" : "5") << c.what;
    }
}

struct Refused {
    const char* what;
    std::vector<Setting> settings;
    const char* problem;
    types::Access access = types::Access::Id;
    bool strict = false;
};

TEST_F(SetValueTest, RefusedValuesAreNamedAndNothingIsWritten) {
    const Refused cases[] = {
        {"ConRes beyond its field", {{"%Grid", "1000"}}, "%Grid: 1000 is outside what its 8-bit field holds (10 to 137)"},
        {"off the grid when strict", {{"%Grid", "13.6"}}, "%Grid: 13.6 is not a value its field holds (nearest: 13.5)",
         types::Access::Id, true},
        {"ConRelRes below its start", {{"%Rel", "0.5"}}, "%Rel: 0.5 is outside"},
        {"date before 1998", {{"%Day", "1997-12-31"}}, "%Day: 1997-12-31 is before 1998-01-01"},
        {"no such day", {{"%Day", "2023-02-29"}}, "%Day: '2023-02-29' is not a date"},
        {"CHR5 lacks lower case", {{"%Who", "ab"}}, "%Who: 'a' is not a 5-bit character"},
        {"CHR5 too long", {{"%Who", "ABCD"}}, "%Who: 'ABCD' has 4 characters, its field holds 3"},
        {"ASCII lacks accents", {{"%Note", "\xC3\xA9"}}, "%Note: the text has characters beyond 7-bit ASCII"},
        {"UTF-16 field lacks a pair", {{"%Wide", "\xF0\x9F\x98\x80"}}, "%Wide: the text is not UTF-8 of 16-bit characters"},
        {"unknown enumeration text", {{"%Colour", "pink"}}, "%Colour: 'pink' is neither an index nor one of its texts (red, green, blue)"},
        {"index wider than its field", {{"%Colour", "4"}}, "%Colour: index 4 does not fit its 2-bit field"},
        {"all ones is no value", {{"%Count", "255"}}, "%Count: 255 is more than its 8-bit field holds (largest 254)"},
        {"not a number", {{"%Count", "five"}}, "%Count: 'five' is not a whole number"},
        {"a fixed value changed", {{"%Shade", "red"}}, "%Shade: its value is fixed by the template"},
        {"unknown property", {{"%Nope", "1"}}, "%Nope: no template of the image has a property of this name"},
        {"new element without values", {{"Points", "3"}}, "Points[2].%X: no value given"},
        {"unknown case", {{"Mode", "Loud"}}, "Mode: 'Loud' is none of its cases (Plain, Extra) nor their index"},
        {"user level on a calibration value", {{"%Grid", "12"}}, "%Grid: changing it needs CAL access, more than USR",
         types::Access::User},
        {"calibration level on an identity value", {{"%Colour", "red"}}, "%Colour: changing it needs ID access, more than CAL",
         types::Access::Calibration},
    };
    for (const Refused& c : cases) {
        EncodeOptions options;
        options.access = c.access;
        options.strict = c.strict;
        const Encoded encoded = edit(c.settings, options);
        ASSERT_EQ(encoded.report.problems.size(), 1u) << c.what;
        EXPECT_EQ(encoded.report.problems[0].rfind(c.problem, 0), 0u) << c.what << ": " << encoded.report.problems[0];
        EXPECT_TRUE(encoded.image.bytes.empty()) << c.what;
    }
}

TEST_F(SetValueTest, BitsAfterTheLastTemplateAreOnly0sAnd1s) {
    decode::decodeTeds(registry_, base_.bytes.data(), static_cast<std::uint32_t>(base_.bytes.size()), nullptr, decoded_);
    StatedTeds stated = statedFromDecoded(decoded_, layoutOf(decoded_, base_));
    stated.trailingBits = "1102";
    const Encoded encoded = encodeStated(registry_, stated, {});
    ASSERT_EQ(encoded.report.problems.size(), 1u);
    EXPECT_EQ(encoded.report.problems[0], "the bits after the last template are not a text of 0s and 1s");
}

TEST_F(SetValueTest, EveryProblemIsReportedOnce) {
    const Encoded encoded = edit({{"%Grid", "1000"}, {"%Who", "x"}, {"%Nope", "1"}});
    EXPECT_EQ(encoded.report.problems.size(), 3u);
}

TEST_F(SetValueTest, TemplatesTheChainCannotHoldAreRefused) {
    StatedTeds stated;
    stated.basic = {decode::BasicTedsLayout::Standard, 17, 1, 'A', 1, 1};
    stated.templates.push_back({5, 60, {}, {}, std::nullopt});   // manufacturer 5 has no descriptor
    stated.templates.push_back({0, 61, {}, {}, std::nullopt});   // not loaded
    const Encoded encoded = encodeStated(registry_, stated, {});
    ASSERT_EQ(encoded.report.problems.size(), 2u);
    EXPECT_EQ(encoded.report.problems[0], "template 60 of manufacturer 5 is not among the loaded templates");
    EXPECT_EQ(encoded.report.problems[1], "template 61 is not among the loaded templates");
}

// What an edit asks to build is bounded by the largest image before it is
// built, and a refusal stays a few lines however many elements lack values.
TEST(StatedValue, AnExactTextOutlivesTheRecordsItWasStatedFrom) {
    std::vector<StatedValue> values;
    const char* decoded = nullptr;
    {
        types::RecordStore store;
        const std::vector<types::ValueRecord> records{teds::testing::namedRecord("Model", types::TextValue{store.keepText("ABC")})};
        decoded = std::get<types::TextValue>(records[0].value).text.data();
        values = statedFromRecords(records);
    }
    const std::vector<StatedValue> copied = values;
    values.clear();
    ASSERT_EQ(copied.size(), 1u);
    const std::string_view text = std::get<types::TextValue>(copied[0].exact->value).text;
    EXPECT_NE(text.data(), decoded);
    EXPECT_EQ(text, "ABC");
}

TEST(BoundedEditTest, SizesNoImageCouldHoldAreRefusedInAFewLines) {
    tdl::Registry registry;
    ASSERT_EQ(tdl::loadTdlText(registry, "TEMPLATE 0, 8, 62, \"Large\"\n"
                                         "%Long, , USR, 32, STRING7, ,\n"
                                         "STRUCTARRAY Many, \"\", USR, 32\n"
                                         "  %Y, , USR, 8, UNINT, ,\n"
                                         "ENDSTRUCTARRAY\n"
                                         "ENDTEMPLATE\n"),
              1);
    StatedTeds stated;
    stated.basic = {decode::BasicTedsLayout::Standard, 17, 1, 'A', 1, 1};
    StatedValue many{"Many", std::nullopt, std::nullopt, std::vector<StatedElement>{{text("%Y", "1")}}, nullptr};
    stated.templates.push_back({0, 62, {text("%Long", "x"), many}, {}, std::nullopt});
    const std::string limit = std::to_string(container::kMaxImageBytes);
    const struct {
        const char* what;
        std::vector<Setting> settings;
        std::size_t lines;
        std::string last;
    } cases[] = {
        {"a count no image holds", {{"Many", "4294967295"}}, 1,
         "Many: 4294967295 elements are more than an image of at most " + limit + " bytes holds"},
        {"many elements without values", {{"Many", "100000"}}, EncodeReport::kMostProblemsListed + 1,
         std::to_string(99999 - EncodeReport::kMostProblemsListed) + " more problems are not listed"},
        {"a text past the image limit", {{"%Long", std::string(80000, 'x')}}, 1,
         "the image would be larger than " + limit + " bytes, the largest that is written or read"},
    };
    for (const auto& c : cases) {
        const Encoded encoded = encodeStated(registry, stated, c.settings);
        ASSERT_EQ(encoded.report.problems.size(), c.lines) << c.what << ": " << encoded.report.problems.front();
        EXPECT_EQ(encoded.report.problems.back(), c.last) << c.what;
        EXPECT_TRUE(encoded.image.bytes.empty()) << c.what;
    }
}

}  // namespace
}  // namespace teds::encode
