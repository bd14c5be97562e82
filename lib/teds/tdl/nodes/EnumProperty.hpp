#pragma once

#include <cstdint>

#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/RecordSource.hpp"
#include "teds/types/PropertyDescription.hpp"

namespace teds::tdl::nodes {

class Enum;

// A property typed by an enumeration: its bits are an index into the Enum.
// The declaration's `enumeration` is the ENUMERATE name given as its type.
class EnumProperty final : public Node {
public:
    explicit EnumProperty(types::PropertyDescription declaration) : declaration(std::move(declaration)) {
        this->declaration.hasUnitText = true;
    }

    void dump(std::ostream& out, const std::string& indent) const override;
    bool decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                types::DecodeBudget& budget) const override;
    bool encode(RecordSource& records) const override;
    std::size_t recordsHint() const override { return 1; }

    // Binds the enumeration (null when none is known), and finds a fixed
    // text's index in it once rather than at every decode.
    void bindEnum(const Enum* enumeration);

    types::PropertyDescription declaration;  // what its records point at
    bool hasFixedIndex = false;
    std::uint64_t fixedIndex = 0;
    bool hasFixedText = false;
    std::string fixedText;
    const Enum* enumRef = nullptr;  // resolved by the loader; not owned

private:
    std::uint64_t fixedTextIndex_ = 0;  // 0 when the text is no entry of enumRef
};

}  // namespace teds::tdl::nodes
