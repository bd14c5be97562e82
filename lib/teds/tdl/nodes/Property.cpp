#include "teds/tdl/nodes/Property.hpp"

namespace teds::tdl::nodes {
namespace {

const char* qualifierKeyword(Qualifier qualifier) {
    switch (qualifier) {
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
    if (qualifier == Qualifier::None) return declaration.name;
    const char* keyword = qualifierKeyword(qualifier);
    return declaration.name + "[" + (keyword ? std::string(keyword) : qualifierText) + "]";
}

void Property::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << displayName() << "'; type=" << static_cast<std::int32_t>(field.dataType)
        << "; sz=" << declaration.width << " //" << declaration.description << '\n';
}

types::ValueRecord& Property::emplaceRecord(std::vector<types::ValueRecord>& out) const {
    types::ValueRecord& record = out.emplace_back();
    record.property = &declaration;
    return record;
}

bool Property::decode(types::BitReader& in, std::vector<types::ValueRecord>& out, types::RecordStore& store,
                      types::DecodeBudget& budget) const {
    // A qualified property describes behaviour, not memory: no bits, no value.
    if (qualifier != Qualifier::None) return true;

    if (types::isTextType(field.dataType)) {
        std::string text;
        types::decodeText(in, declaration.width, field.dataType, text);
        if (!budget.takeRecord(text.capacity())) return false;
        types::ValueRecord& record = emplaceRecord(out);
        record.value = types::TextValue{store.keepText(std::move(text))};
        return true;
    }
    // The value is read straight into its record, which is dropped again
    // for the types that yield none.
    if (!budget.takeRecord()) return false;
    types::ValueRecord& record = emplaceRecord(out);
    if (!types::decodeNumeric(in, field, record.value)) out.pop_back();
    return true;
}

bool Property::encode(RecordSource& records) const {
    // Neither a qualified property nor a fixed value occupies bits, so
    // writing one would shift every field behind it. A fixed value's record,
    // when given, is passed over.
    if (qualifier != Qualifier::None) return true;
    if (field.fixedRaw) {
        records.takeIfNamed(declaration.name);
        return true;
    }
    const types::ValueRecord* record = records.take(declaration.name);
    if (record == nullptr) return false;

    switch (types::encodeField(records.out, field, record->value)) {
    case types::FieldWrite::Written: return true;
    case types::FieldWrite::NoRawNumber: return records.fail(declaration.name + " has no raw number in its field");
    case types::FieldWrite::ReadsBackOtherwise:
        return records.fail(declaration.name + " does not read back as the value given");
    case types::FieldWrite::Refused: break;
    }
    return records.fail("cannot encode " + declaration.name);
}

}  // namespace teds::tdl::nodes
