#pragma once
// Turning a decoded value and a unit into VARIANTs.

#include "Api.hpp"
#include "teds_api.hpp"

namespace teds::vb6dll {

// Stores the value in `out`, which must be empty: text as VT_BSTR, reals as
// VT_R8, unsigned integers and enumeration indexes as VT_UI4 (their low 32
// bits), dates as VT_DATE (the whole day count). No value and a struct array
// leave it empty.
void writeValue(VARIANT& out, const api::Value& value);

// Stores the unit's twelve numbers as a VT_R8 array with lower bound 0 in
// `out`, which must be empty. False, leaving it empty, when no array could
// be created.
bool writeUnitArray(VARIANT& out, const api::Unit& unit);

}  // namespace teds::vb6dll
