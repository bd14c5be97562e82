#pragma once
// Builds the records of one template body, as Template::encodeBody takes
// them, from stated values and settings: the values are checked against
// their fields, select cases follow from the values or settings, struct
// arrays take their length from the elements given.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "teds/encode/StatedTeds.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/types/DecodeBudget.hpp"
#include "teds/types/RecordStore.hpp"
#include "teds_container.hpp"
#include "teds_encoding.hpp"

namespace teds::encode {

class RecordBuilder {
public:
    // `used` has one flag per setting and is set for each setting that was written.
    RecordBuilder(const std::vector<Setting>& settings, std::vector<bool>& used, const EncodeOptions& options,
                  EncodeReport& report)
        : settings_(settings), used_(used), options_(options), report_(report) {}

    // False, with the reasons reported, when a value is missing or refused.
    // What the records refer to is kept in `store`.
    bool build(const tdl::Template& tmpl, const StatedTemplate& stated, std::vector<types::ValueRecord>& records,
               types::RecordStore& store);

    // Whether `nodes` declare a property, array or select case of this name, in any case.
    static bool declares(const tdl::nodes::NodeList& nodes, const std::string& name);

private:
    // The stated values of one level (a body, a case, an array element), in order.
    struct Cursor {
        const std::vector<StatedValue>* values = nullptr;
        std::size_t at = 0;

        const StatedValue* peek() const;
        const StatedValue* takeIfNamed(const std::string& name);
        const StatedValue* takeMarker();
    };

    // Builds what it can, reporting each refused value; stops at a structural problem.
    void buildList(const tdl::nodes::NodeList& nodes, Cursor& in, const std::string& path,
                   std::vector<types::ValueRecord>& out);
    bool property(const tdl::nodes::Property& node, Cursor& in, const std::string& path,
                  std::vector<types::ValueRecord>& out);
    bool enumeration(const tdl::nodes::EnumProperty& node, Cursor& in, const std::string& path,
                     std::vector<types::ValueRecord>& out);
    // A value field of either kind: a fixed value, a setting, or the value stated.
    template <class FieldNode, class Convert>
    bool field(const FieldNode& node, Cursor& in, const std::string& path, std::vector<types::ValueRecord>& out,
               Convert convert);
    bool select(const tdl::nodes::SelectCase& node, Cursor& in, const std::string& path,
                std::vector<types::ValueRecord>& out);
    bool array(const tdl::nodes::StructArray& node, Cursor& in, const std::string& path,
               std::vector<types::ValueRecord>& out);

    // The case a select takes when neither a marker nor a setting says.
    std::uint64_t bestCase(const tdl::nodes::SelectCase& node, const Cursor& in, const std::string& path,
                           std::optional<std::uint64_t> hint) const;
    // Whether `nodes` can be built from `in` and the settings; moves `in` past
    // what they take and counts the settings they would use.
    bool fits(const tdl::nodes::NodeList& nodes, Cursor& in, const std::string& path, std::size_t& settings) const;
    // A case other than `current` that declares a name set at this level.
    std::optional<std::uint64_t> caseSwitchedTo(const tdl::nodes::SelectCase& node, std::uint64_t current,
                                                const std::string& path) const;
    void skip(const tdl::nodes::NodeList& nodes, Cursor& in) const;

    // The setting for `key`, now marked used; null when there is none.
    const Setting* takeSetting(const std::string& key);
    bool hasSetting(const std::string& key) const;
    // False, with the refusal reported, when the access level does not reach `access`.
    bool mayChange(const std::string& key, types::Access access);
    bool problem(std::string text);  // a value refused: the others are still checked
    bool stop(std::string text);     // the values no longer line up with the template
    bool missing(const std::string& key, const Cursor& in);

    const std::vector<Setting>& settings_;
    std::vector<bool>& used_;
    const EncodeOptions& options_;
    EncodeReport& report_;
    types::RecordStore* store_ = nullptr;  // of the template being built
    const std::vector<std::uint64_t>* hints_ = nullptr;
    std::size_t nextHint_ = 0;
    bool failed_ = false;   // of the template being built
    bool stopped_ = false;
    // What the array elements built for the image would cost decoding them
    // back, bounded as decoding the largest image is.
    types::DecodeBudget budget_{types::DecodeBudget::limitForImage(container::kMaxImageBytes)};
};

}  // namespace teds::encode
