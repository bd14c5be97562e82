#pragma once
// Handing one selected value to the caller's output variables.

#include <cstdint>

#include "Api.hpp"
#include "teds_api.hpp"

namespace teds::vb6dll {

// The output variables of a property query. Any of them may be null: the
// caller then does not want that output. `name` is set by the queries by
// position only.
struct PropertyOutputs {
    BSTR* name = nullptr;
    VARIANT* value = nullptr;
    BSTR* unit = nullptr;
    VARIANT* unitArray = nullptr;
    std::int32_t* status = nullptr;
};

// Writes the value, unit text, unit array, status and (when asked) name;
// returns 1. Two outputs may be the same variable: it is released once and
// ends holding the one written later (unit array after value, name after
// unit).
std::int32_t deliverProperty(const api::PropertyView& property, const PropertyOutputs& out);

// What a query that selected nothing leaves: the text outputs released and
// null, everything else untouched; returns 0.
std::int32_t deliverNothing(const PropertyOutputs& out);

}  // namespace teds::vb6dll
