#pragma once

#include <cstdint>
#include <optional>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/types/FieldCodec.hpp"

namespace teds::tdl::nodes {

class PhysicalUnit;

// Qualifiers of a property declaration. A qualified property describes the
// sensor's behaviour and occupies no bits of the image.
enum class Qualifier : std::int32_t {
    None = 0,
    Default = 1,
    Initialize = 2,
    CtrlFunctionMask = 3,
    ReadWrite = 4,
    FunctionType = 5,
    Function = 6,
    Text = 7,  // the qualifier is the text in qualifierText
};

// A property whose value is read with one of the IEEE 1451.4 data types.
class Property final : public Node {
public:
    Property(std::string name, std::int32_t qualifier, std::string qualifierText, std::string description,
             std::int32_t access, std::uint32_t sz)
        : name(std::move(name)),
          qualifier(qualifier),
          qualifierText(std::move(qualifierText)),
          description(std::move(description)),
          access(access),
          sz(sz) {}

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                decode::RecordBudget& budget) const override;
    bool encode(decode::BitStream& stream, const decode::ValueRecord& record) const override;
    void collectNames(const std::string& prefix, bool usePrefix,
                      std::vector<std::string>& names) const override;

    // The name, followed by "[keyword]" when the property is qualified.
    std::string displayName() const;
    types::FieldSpec fieldSpec() const;

    std::string name;
    std::int32_t qualifier;
    std::string qualifierText;
    std::string description;
    std::int32_t access;            // 0, 1 or 2: ID, CAL or USR
    std::string displayFormat;      // first text after the data type
    std::string unitName;           // second text: names the physical unit
    std::uint32_t sz;
    std::int32_t dataType = 0;
    double start = 0.0;
    double step = 0.0;
    std::optional<std::uint32_t> fixedRaw;
    std::string fixedValueText;     // a fixed value written as a name or string; not decoded
    const PhysicalUnit* unit = nullptr;  // resolved by the loader; not owned
};

}  // namespace teds::tdl::nodes
