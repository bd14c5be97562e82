#include "Bindings.hpp"

namespace teds_python {
namespace {

using teds::api::Diagnostic;
using teds::api::DiagnosticKind;

const char* kindName(DiagnosticKind kind) {
    switch (kind) {
        case DiagnosticKind::SyntaxError: return "syntax_error";
        case DiagnosticKind::InvalidCharacter: return "invalid_character";
        case DiagnosticKind::NestingLimit: return "nesting_limit";
        case DiagnosticKind::ReadFailure: return "read_failure";
        case DiagnosticKind::MissingFile: return "missing_file";
        case DiagnosticKind::NotRegularFile: return "not_regular_file";
        case DiagnosticKind::UnopenableFile: return "unopenable_file";
        case DiagnosticKind::RefusedTemplate: return "refused_template";
        case DiagnosticKind::UnknownName: return "unknown_name";
        case DiagnosticKind::Dropped: return "dropped";
    }
    return "unknown";
}

py::tuple diagnosticTuple(const Diagnostic& diagnostic) {
    return py::make_tuple(textOf(diagnostic.source), diagnostic.line, kindName(diagnostic.kind),
                          textOf(diagnostic.message), textOf(diagnostic.systemMessage), textOf(diagnostic.text()));
}

}  // namespace

void bindTemplates(py::module_& module) {
    py::class_<teds::api::Templates, SharedTemplates>(module, "Templates")
        .def(py::init<>())
        .def("load_file",
             // The path as the file system spells it: bytes, not text.
             [](teds::api::Templates& templates, const py::bytes& path) {
                 const teds::api::FileLoad load = templates.loadFile(std::string(path));
                 if (load.unopened) throw Failure(ErrorClass::Template, load.unopened->text());
                 return load.accepted;
             })
        .def("load_text", &teds::api::Templates::loadText, py::arg("text"), py::arg("source_name"))
        .def("diagnostics",
             [](const teds::api::Templates& templates) {
                 py::list list;
                 for (const Diagnostic& diagnostic : templates.diagnostics()) list.append(diagnosticTuple(diagnostic));
                 return list;
             })
        .def("dump", [](const teds::api::Templates& templates) { return textOf(templates.dump()); });
}

}  // namespace teds_python
