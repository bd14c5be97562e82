#pragma once
// The example IEEE standard templates, compiled into the tool so that it
// decodes the common sensors without any file next to it.

#include <string_view>

namespace teds_tools {

std::string_view bundledTemplateText();

// Stands for the bundled text in load diagnostics.
inline constexpr const char* kBundledTemplateName = "ieee_standard.tdl (bundled)";

}  // namespace teds_tools
