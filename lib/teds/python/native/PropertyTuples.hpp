#pragma once
// A decoded template's values as plain tuples, which the package turns into
// its Property objects:
//   (name, kind, payload, unit, description)
// kind is ValueKind's number; payload is None, a str, a float, an int, a day
// count since 1998-01-01, (index, text) for an enumeration, or a list of
// elements, each a list of such tuples, for a struct array. unit is None
// when the property names none.

#include "Bindings.hpp"

namespace teds_python {

py::list propertyTuples(const std::vector<teds::api::PropertyView>& properties);

}  // namespace teds_python
