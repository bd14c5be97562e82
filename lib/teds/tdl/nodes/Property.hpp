#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/RecordSource.hpp"
#include "teds/types/DataType.hpp"
#include "teds/types/FieldCodec.hpp"
#include "teds/types/PropertyDescription.hpp"

namespace teds::tdl::nodes {

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
    Property(types::PropertyDescription declaration, types::DataType dataType, Qualifier qualifier = Qualifier::None,
             std::string qualifierText = {})
        : declaration(std::move(declaration)),
          qualifier(qualifier),
          qualifierText(std::move(qualifierText)) {
        this->declaration.hasUnitText = true;
        field.sz = this->declaration.width;
        field.dataType = dataType;
    }

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                types::DecodeBudget& budget) const override;
    bool encode(RecordSource& records) const override;
    std::size_t recordsHint() const override { return qualifier == Qualifier::None ? 1 : 0; }

    // The name, followed by "[keyword]" when the property is qualified.
    std::string displayName() const;

    types::PropertyDescription declaration;  // what its records point at
    Qualifier qualifier;
    std::string qualifierText;
    std::string unitName;  // names the physical unit; bound into declaration.unit
    // Its width, type, scale and fixed value, kept whole so that a decode
    // hands it to the codec as it is; its width is declaration.width.
    types::FieldSpec field;
    std::string fixedValueText;  // a fixed value written as a name or string; not decoded

private:
    // A record of this property at the end of `out`, its value still to be set.
    types::ValueRecord& emplaceRecord(std::vector<types::ValueRecord>& out) const;
};

}  // namespace teds::tdl::nodes
