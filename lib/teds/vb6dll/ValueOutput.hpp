#pragma once
// Turning a decoded value and a unit into VARIANTs.

#include "Api.hpp"
#include "teds/types/ValueRecord.hpp"
#include "teds/types/UnitRecord.hpp"

namespace teds::vb6dll {

// Stores the record's value in `out`, which must be empty: text as VT_BSTR,
// reals as VT_R8, unsigned integers and enumeration indexes as VT_UI4 (their
// low 32 bits), dates as VT_DATE (the whole day count). Records without a
// deliverable value leave it empty.
void writeValue(VARIANT& out, const types::ValueRecord& record);

// Stores the unit's twelve numbers as a VT_R8 array with lower bound 0 in
// `out`, which must be empty. False, leaving it empty, when no array could
// be created.
bool writeUnitArray(VARIANT& out, const types::UnitRecord& unit);

}  // namespace teds::vb6dll
