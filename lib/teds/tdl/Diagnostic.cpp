#include "teds/tdl/Diagnostic.hpp"

namespace teds::tdl {

std::string formatDiagnostic(const Diagnostic& diagnostic) {
    if (diagnostic.source.empty()) return diagnostic.message;
    std::string text = diagnostic.source;
    if (diagnostic.line != 0) text += ':' + std::to_string(diagnostic.line);
    return text + ": " + diagnostic.message;
}

Diagnostic templateRefused(std::string source, std::int32_t line, std::int32_t manufacturerKey,
                           std::uint32_t templateId, std::string_view reason) {
    std::string label = manufacturerKey == 0 ? "I" : "M" + std::to_string(manufacturerKey) + "-";
    label += std::to_string(templateId);
    return Diagnostic{std::move(source), line, DiagnosticKind::RefusedTemplate,
                      "template " + label + " refused: " + std::string(reason)};
}

}  // namespace teds::tdl
