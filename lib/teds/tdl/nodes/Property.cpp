#include "teds/tdl/nodes/Property.hpp"

#include <limits>

namespace teds::tdl::nodes {
namespace {

const char* qualifierKeyword(std::int32_t qualifier) {
    switch (static_cast<Qualifier>(qualifier)) {
    case Qualifier::Default: return "DEFAULT";
    case Qualifier::Initialize: return "INITIALIZE";
    case Qualifier::CtrlFunctionMask: return "CTRLFUNCTIONMASK";
    case Qualifier::ReadWrite: return "READWRITE";
    case Qualifier::FunctionType: return "FUNCTIONTYPE";
    case Qualifier::Function: return "FUNCTION";
    default: return nullptr;
    }
}

}  // namespace

std::string Property::displayName() const {
    if (qualifier == 0) return name;
    const char* keyword = qualifierKeyword(qualifier);
    return name + "[" + (keyword ? std::string(keyword) : qualifierText) + "]";
}

types::FieldSpec Property::fieldSpec() const {
    types::FieldSpec field;
    field.sz = sz;
    field.dataType = dataType;
    field.start = start;
    field.step = step;
    field.fixedRaw = fixedRaw;
    return field;
}

void Property::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << displayName() << "'; type=" << dataType << "; sz=" << sz << " //"
        << description << '\n';
}

bool Property::decode(decode::BitStream& stream, std::vector<decode::ValueRecord>& out,
                      decode::RecordBudget& budget) const {
    // A qualified property describes behaviour, not memory: no bits, no value.
    if (qualifier != 0) return true;

    std::optional<types::DecodedValue> decoded;
    if (types::isTextType(dataType))
        decoded = types::decodeText(stream, sz, dataType);
    else
        decoded = types::decodeNumeric(stream, fieldSpec());
    if (!decoded) return true;

    if (!budget.take()) return false;
    out.push_back(decode::ValueRecord{name, decoded->kind, std::move(decoded->value), this});
    return true;
}

bool Property::encode(decode::BitStream& stream, const decode::ValueRecord& record) const {
    // Neither a qualified property nor a fixed value occupies bits, so
    // writing one would shift every field behind it.
    if (qualifier != 0 || fixedRaw) return true;
    if (record.kind == decode::ValueKind::None && !types::isTextType(dataType)) {
        const std::uint64_t allOnes = sz >= 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t{1} << sz) - 1;
        return stream.writeBits(sz, allOnes);
    }
    return types::encodeField(stream, fieldSpec(), record.value);
}

void Property::collectNames(const std::string& prefix, bool usePrefix, std::vector<std::string>& names) const {
    names.push_back(usePrefix ? prefix + name : name);
}

}  // namespace teds::tdl::nodes
