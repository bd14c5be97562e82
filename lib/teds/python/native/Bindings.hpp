#pragma once
// The extension module's parts, each binding one piece of the C++ interface
// for the Python package, which wraps them in its own classes. Nothing here
// is public: the package's modules are.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "teds_api.hpp"

namespace teds_python {

namespace py = pybind11;

// Which of the package's exception classes a failure becomes.
enum class ErrorClass { Read, Template, Encode, Scale };

// Thrown by the bindings, raised in Python as the class it names with the
// library's message; an encode's problems and notes go along with it.
struct Failure : std::runtime_error {
    Failure(ErrorClass errorClass, const std::string& message, std::vector<std::string> problems = {},
            std::vector<std::string> notes = {})
        : std::runtime_error(message), errorClass(errorClass), problems(std::move(problems)), notes(std::move(notes)) {}

    ErrorClass errorClass;
    std::vector<std::string> problems;
    std::vector<std::string> notes;
};

// Templates are shared by every sensor decoded with them, and kept alive by
// each of them.
using SharedTemplates = std::shared_ptr<teds::api::Templates>;

void bindErrors(py::module_& module);
void bindTemplates(py::module_& module);
void bindDecoded(py::module_& module);
void bindScale(py::module_& module);
void bindContainers(py::module_& module);

// The container named, or none to work it out from the content.
std::optional<teds::container::Format> formatOrDetect(const std::optional<std::string>& name);

// A template's scale as the module's Scale, or the reason it gives none as a str.
py::object scaleOf(const teds::api::Teds& teds, std::uint32_t index, const teds::api::ChannelConditions& conditions);

// A Python str of text from an image, which need not be valid UTF-8: bad
// bytes become U+FFFD, as in the JSON document.
py::str textOf(std::string_view text);
// Lines of such text, as a list of str.
py::list textsOf(const std::vector<std::string>& lines);

}  // namespace teds_python
