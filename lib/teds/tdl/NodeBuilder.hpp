#pragma once
// Turns declarations as the grammar collects them into template nodes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "teds/tdl/nodes/Property.hpp"
#include "teds/types/DataType.hpp"
#include "teds/types/PropertyDescription.hpp"

namespace teds::tdl {

struct QualifierDecl {
    nodes::Qualifier code = nodes::Qualifier::None;
    std::string text;       // for a qualifier written as a string
};

struct DataTypeDecl {
    types::DataType code = types::DataType::Unint;  // EnumType when typed by an enumeration
    std::string enumName;   // the enumeration's name, for EnumType
    double start = 0.0;     // ConRes and ConRelRes only
    double step = 0.0;
};

// A fixed value as written: the token kind it came as (0 for none) and its text.
struct FixedValueDecl {
    int tokenKind = 0;
    std::string text;
};

struct PropertyDecl {
    types::PropertyDescription declaration;  // name, description, access, width, display format
    QualifierDecl qualifier;
    DataTypeDecl dataType;
    std::string unitName;
    FixedValueDecl fixed;
};

// A Property, or an EnumProperty when the data type names an enumeration.
nodes::NodePtr buildProperty(PropertyDecl decl);

// The widest field whose value the declaration keeps whole (see
// types::widestWholeField); no limit for one that reads no bits, being
// qualified or fixed.
std::uint32_t widestField(const PropertyDecl& decl);

// The entries take the values 0, 1, 2, ... in the order given.
nodes::NodePtr buildEnum(std::string name, std::vector<std::string> texts);

// `numbers` are the twelve numbers of the declaration: unit type, nine
// exponents, slope, offset.
nodes::NodePtr buildPhysicalUnit(std::string name, const std::vector<std::string_view>& numbers);

}  // namespace teds::tdl
