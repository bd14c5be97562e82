#include "teds/tdl/Diagnostic.hpp"

namespace teds {

std::string Diagnostic::text() const {
    if (source.empty()) return message;
    std::string text = source;
    if (line != 0) text += ':' + std::to_string(line);
    return text + ": " + message;
}

}  // namespace teds

namespace teds::tdl {

Diagnostic templateRefused(std::string source, std::int32_t line, std::int32_t manufacturerKey,
                           std::uint32_t templateId, std::string_view reason) {
    std::string label = manufacturerKey == 0 ? "I" : "M" + std::to_string(manufacturerKey) + "-";
    label += std::to_string(templateId);
    return Diagnostic{std::move(source), line, DiagnosticKind::RefusedTemplate,
                      "template " + label + " refused: " + std::string(reason), {}};
}

}  // namespace teds::tdl
