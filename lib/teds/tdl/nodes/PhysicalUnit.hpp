#pragma once

#include "teds/tdl/nodes/Node.hpp"
#include "teds/types/UnitRecord.hpp"

namespace teds::tdl::nodes {

// PHYSICAL_UNIT: a named unit that properties refer to; its text is built once here.
class PhysicalUnit final : public Node {
public:
    PhysicalUnit(std::string name, types::UnitType unitType,
                 const std::array<std::int32_t, types::kBaseUnitCount>& exponents, double slope, double offset)
        : name(std::move(name)), unit(types::UnitRecord::make(unitType, exponents, slope, offset)) {}
    void dump(std::ostream& out, const std::string& indent) const override;

    std::string name;
    types::UnitRecord unit;
};

}  // namespace teds::tdl::nodes
