#include "PropertyTuples.hpp"

namespace teds_python {
namespace {

namespace values = teds::api::values;

py::object payloadOf(const teds::api::Value& value) {
    return std::visit(teds::Overloaded{
                          [](const values::None&) -> py::object { return py::none(); },
                          [](const values::Text& text) -> py::object { return textOf(text.text); },
                          [](const values::Real& real) -> py::object { return py::float_(real.value); },
                          [](const values::Unsigned& number) -> py::object { return py::int_(number.value); },
                          [](const values::Date& date) -> py::object { return py::int_(date.days); },
                          [](const values::Enumeration& entry) -> py::object {
                              return py::make_tuple(entry.index, textOf(entry.text));
                          },
                          [](const values::StructArray& array) -> py::object {
                              py::list elements;
                              for (const auto& element : array.elements) elements.append(propertyTuples(element));
                              return elements;
                          },
                      },
                      value);
}

}  // namespace

py::list propertyTuples(const std::vector<teds::api::PropertyView>& properties) {
    py::list list;
    for (const teds::api::PropertyView& property : properties) {
        const py::object unit = property.unit ? py::object(textOf(property.unit->text)) : py::object(py::none());
        list.append(py::make_tuple(textOf(property.name), static_cast<int>(property.kind()), payloadOf(property.value),
                                   unit, textOf(property.description)));
    }
    return list;
}

}  // namespace teds_python
