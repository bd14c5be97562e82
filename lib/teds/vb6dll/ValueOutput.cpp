#include "ValueOutput.hpp"

#include <cstring>
#include <string>

#include "OleDate.hpp"
#include "TextOutput.hpp"
#include "teds/types/Delivery.hpp"

namespace teds::vb6dll {

namespace {

using types::ValueRecord;
using types::ValueKind;

// A record whose value is not the alternative its kind promises delivers
// nothing rather than a misread value.
template <class T>
const T* valueAs(const ValueRecord& record) {
    return boost::get<T>(&record.value);
}

// VT_UI4 is what callers have always been handed for unsigned numbers and
// enumeration indexes, and what they have always received of a field wider
// than 32 bits is its low 32 bits; it stays so, as the header states.
std::uint32_t low32Bits(std::uint64_t number) { return static_cast<std::uint32_t>(number); }

}  // namespace

void writeValue(VARIANT& out, const ValueRecord& record) {
    switch (record.kind) {
    case ValueKind::Text:
        if (const auto* text = valueAs<std::string>(record)) {
            if (BSTR wide = makeWideText(types::utf8ToUtf16(*text))) {
                out.vt = VT_BSTR;
                out.bstrVal = wide;
            }
        }
        break;
    case ValueKind::Real:
        if (const auto* number = valueAs<double>(record)) {
            out.vt = VT_R8;
            out.dblVal = *number;
        }
        break;
    case ValueKind::Unsigned:
        if (const auto* number = valueAs<std::uint64_t>(record)) {
            out.vt = VT_UI4;
            out.ulVal = low32Bits(*number);
        }
        break;
    case ValueKind::Date:
        if (const auto* days = valueAs<std::uint64_t>(record)) {
            out.vt = VT_DATE;
            out.date = oleDateFromTedsDays(*days);
        }
        break;
    case ValueKind::Enumeration:
        if (const auto* entry = valueAs<types::EnumValue>(record)) {
            out.vt = VT_UI4;
            out.ulVal = low32Bits(entry->index);
        }
        break;
    default:
        break;
    }
}

bool writeUnitArray(VARIANT& out, const types::UnitRecord& unit) {
    const auto numbers = unit.asArray();
    SAFEARRAYBOUND bound;
    bound.cElements = static_cast<unsigned>(numbers.size());
    bound.lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 1, &bound);
    if (!array) return false;
    std::memcpy(array->pvData, numbers.data(), sizeof numbers);
    out.vt = static_cast<VARTYPE>(VT_ARRAY | VT_R8);
    out.parray = array;
    return true;
}

}  // namespace teds::vb6dll
