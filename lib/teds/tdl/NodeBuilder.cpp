#include "teds/tdl/NodeBuilder.hpp"

#include <array>
#include <cassert>
#include <memory>

#include "teds/tdl/NumberText.hpp"
#include "teds/tdl/TdlGrammar.hpp"
#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/types/DataType.hpp"

namespace teds::tdl {
namespace {

bool isNumberToken(int kind) {
    return kind == TOK_INTEGER || kind == TOK_HEXINT || kind == TOK_BININT || kind == TOK_REAL;
}

// A fixed number takes the place of the field's bits: a field of up to 32
// bits takes its low 32 bits, as such fields always have, a wider one its
// low 64, the most a value holds.
std::uint64_t fixedNumber(const FixedValueDecl& fixed, std::uint32_t width) {
    const std::uint64_t n =
        fixed.tokenKind == TOK_REAL ? truncatedLow64Bits(parseReal(fixed.text)) : low64Bits(fixed.text);
    return width <= 32 ? static_cast<std::uint32_t>(n) : n;
}

nodes::NodePtr buildEnumProperty(PropertyDecl& decl) {
    auto node = std::make_unique<nodes::EnumProperty>(std::move(decl.declaration));
    node->declaration.enumeration = std::move(decl.dataType.enumName);
    if (isNumberToken(decl.fixed.tokenKind)) {
        node->hasFixedIndex = true;
        node->fixedIndex = fixedNumber(decl.fixed, node->declaration.width);
    } else if (decl.fixed.tokenKind != 0) {
        node->hasFixedText = true;
        node->fixedText = std::move(decl.fixed.text);
    }
    return node;
}

}  // namespace

nodes::NodePtr buildProperty(PropertyDecl decl) {
    // A qualified declaration occupies no bits whatever its type. An
    // EnumProperty has no qualifier and always reads its index, so a
    // qualified one stays a Property, which reads nothing.
    if (decl.dataType.code == types::DataType::EnumType && decl.qualifier.code == nodes::Qualifier::None)
        return buildEnumProperty(decl);

    auto node = std::make_unique<nodes::Property>(std::move(decl.declaration), decl.dataType.code, decl.qualifier.code,
                                                  std::move(decl.qualifier.text));
    node->field.start = decl.dataType.start;
    node->field.step = decl.dataType.step;
    node->unitName = std::move(decl.unitName);
    if (isNumberToken(decl.fixed.tokenKind))
        node->field.fixedRaw = fixedNumber(decl.fixed, node->declaration.width);
    else if (decl.fixed.tokenKind != 0)
        node->fixedValueText = std::move(decl.fixed.text);
    return node;
}

std::uint32_t widestField(const PropertyDecl& decl) {
    if (decl.qualifier.code != nodes::Qualifier::None || isNumberToken(decl.fixed.tokenKind)) return UINT32_MAX;
    // An enumeration's fixed text takes the place of its bits; a Property's
    // fixed name or string is not decoded, so its bits are still read.
    if (decl.dataType.code == types::DataType::EnumType && !decl.fixed.text.empty()) return UINT32_MAX;
    return types::widestWholeField(decl.dataType.code);
}

nodes::NodePtr buildEnum(std::string name, std::vector<std::string> texts) {
    std::vector<nodes::EnumEntry> entries;
    entries.reserve(texts.size());
    std::int32_t value = 0;
    for (std::string& text : texts) entries.push_back(nodes::EnumEntry{value++, std::move(text)});
    return std::make_unique<nodes::Enum>(std::move(name), std::move(entries));
}

nodes::NodePtr buildPhysicalUnit(std::string name, const std::vector<std::string_view>& numbers) {
    assert(numbers.size() == 12);
    std::array<std::int32_t, types::kBaseUnitCount> exponents{};
    for (std::size_t i = 0; i < exponents.size(); ++i) exponents[i] = leadingInt32(numbers[1 + i]);
    return std::make_unique<nodes::PhysicalUnit>(std::move(name), static_cast<types::UnitType>(leadingInt32(numbers[0])),
                                                 exponents,
                                                 parseReal(numbers[10]), parseReal(numbers[11]));
}

}  // namespace teds::tdl
