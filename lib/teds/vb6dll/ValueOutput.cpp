#include "ValueOutput.hpp"

#include <cstring>
#include <string>

#include "OleDate.hpp"
#include "TextOutput.hpp"
#include "Utf16Text.hpp"

namespace teds::vb6dll {

namespace {


// VT_UI4 is what callers have always been handed for unsigned numbers and
// enumeration indexes, and what they have always received of a field wider
// than 32 bits is its low 32 bits; it stays so, as the header states.
std::uint32_t low32Bits(std::uint64_t number) { return static_cast<std::uint32_t>(number); }

}  // namespace

// A value with no VARIANT form (none, a struct array) leaves `out` empty.
void writeValue(VARIANT& out, const api::Value& value) {
    std::visit(teds::Overloaded{
                   [&](const api::values::Text& v) {
                       if (BSTR wide = makeWideText(utf8ToUtf16(v.text))) {
                           out.vt = VT_BSTR;
                           out.bstrVal = wide;
                       }
                   },
                   [&](const api::values::Real& v) {
                       out.vt = VT_R8;
                       out.dblVal = v.value;
                   },
                   [&](const api::values::Unsigned& v) {
                       out.vt = VT_UI4;
                       out.ulVal = low32Bits(v.value);
                   },
                   [&](const api::values::Date& v) {
                       out.vt = VT_DATE;
                       out.date = oleDateFromTedsDays(v.days);
                   },
                   [&](const api::values::Enumeration& v) {
                       out.vt = VT_UI4;
                       out.ulVal = low32Bits(v.index);
                   },
                   [](const auto&) {},
               },
               value);
}

bool writeUnitArray(VARIANT& out, const api::Unit& unit) {
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
