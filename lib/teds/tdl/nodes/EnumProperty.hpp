#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

class Enum;

// A property typed by an enumeration: its bits are an index into the Enum.
class EnumProperty final : public Node {
public:
    EnumProperty(std::string name, std::string enumName, std::int32_t access, std::string description,
                 std::uint32_t sz, std::string displayFormat)
        : name(std::move(name)),
          enumName(std::move(enumName)),
          access(access),
          description(std::move(description)),
          sz(sz),
          displayFormat(std::move(displayFormat)) {}

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                decode::RecordBudget& budget) const override;
    bool encode(decode::BitStream& stream, const decode::ValueRecord& record) const override;

    std::string name;
    std::string enumName;  // the ENUMERATE name the declaration gives as its type
    std::int32_t access;
    std::string description;
    std::uint32_t sz;
    std::string displayFormat;
    bool hasFixedIndex = false;
    std::int32_t fixedIndex = 0;
    bool hasFixedText = false;
    std::string fixedText;
    const Enum* enumRef = nullptr;  // resolved by the loader; not owned
};

}  // namespace teds::tdl::nodes
