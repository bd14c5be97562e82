#pragma once
// The loader's diagnostics, and the one wording of a refused template.

#include <cstdint>
#include <string>
#include <string_view>

#include "teds_diagnostic.hpp"

namespace teds::tdl {

using teds::Diagnostic;
using teds::DiagnosticKind;

// The one wording of a refusal: "template I25 refused: <reason>", with M17-3
// standing for manufacturer 17's template 3.
Diagnostic templateRefused(std::string source, std::int32_t line, std::int32_t manufacturerKey,
                           std::uint32_t templateId, std::string_view reason);

}  // namespace teds::tdl
