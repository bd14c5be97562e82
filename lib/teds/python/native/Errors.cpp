#include "Bindings.hpp"

namespace teds_python {
namespace {

const char* className(ErrorClass errorClass) {
    switch (errorClass) {
        case ErrorClass::Read: return "ReadError";
        case ErrorClass::Template: return "TemplateError";
        case ErrorClass::Encode: return "EncodeError";
        case ErrorClass::Scale: return "ScaleError";
    }
    return "TedsError";
}

void raise(const Failure& failure) {
    // The classes are the package's own, written in Python; by the time a
    // binding fails the package has imported them.
    const py::object errors = py::module_::import("teds1451._errors");
    const py::object type = errors.attr(className(failure.errorClass));
    const py::object error = type(textOf(failure.what()), textsOf(failure.problems), textsOf(failure.notes));
    PyErr_SetObject(type.ptr(), error.ptr());
}

}  // namespace

void bindErrors(py::module_&) {
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const Failure& failure) {
            raise(failure);
        }
    });
}

py::str textOf(std::string_view text) {
    PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

py::list textsOf(const std::vector<std::string>& lines) {
    py::list list;
    for (const std::string& line : lines) list.append(textOf(line));
    return list;
}

}  // namespace teds_python
