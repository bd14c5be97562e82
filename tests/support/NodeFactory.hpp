#pragma once
// Short ways to build template trees in tests.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/types/DataType.hpp"

namespace teds::testing {

inline std::unique_ptr<tdl::nodes::Property> property(const std::string& name, types::DataType type,
                                                      std::uint32_t sz) {
    types::PropertyDescription declaration;
    declaration.name = name;
    declaration.width = sz;
    return std::make_unique<tdl::nodes::Property>(std::move(declaration), type);
}

// An enumeration property reading `sz` bits as an index into the ENUMERATE `enumName`.
inline std::unique_ptr<tdl::nodes::EnumProperty> enumProperty(const std::string& name, const std::string& enumName,
                                                              std::uint32_t sz, const std::string& description = {}) {
    types::PropertyDescription declaration;
    declaration.name = name;
    declaration.description = description;
    declaration.enumeration = enumName;
    declaration.width = sz;
    return std::make_unique<tdl::nodes::EnumProperty>(std::move(declaration));
}

template <typename... Nodes>
tdl::nodes::NodeList nodeList(Nodes&&... nodes) {
    tdl::nodes::NodeList list;
    (list.push_back(std::forward<Nodes>(nodes)), ...);
    return list;
}

inline std::unique_ptr<tdl::nodes::StructArray> structArray(const std::string& name, std::uint32_t countBits,
                                                            tdl::nodes::NodeList children) {
    return std::make_unique<tdl::nodes::StructArray>(name, "", countBits, std::move(children));
}

}  // namespace teds::testing
