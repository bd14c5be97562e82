#include <filesystem>
#include <fstream>
#include <system_error>

#include "teds/api/TemplateStore.hpp"
#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::api {

Templates::Templates() : store_(std::make_shared<TemplateStore>()) {}
Templates::~Templates() = default;
Templates::Templates(Templates&&) noexcept = default;
Templates& Templates::operator=(Templates&&) noexcept = default;

// A moved-from object starts again with no templates rather than fail.
TemplateStore& Templates::store() {
    if (!store_) store_ = std::make_shared<TemplateStore>();
    return *store_;
}

std::int32_t Templates::loadFile(const std::string& path) {
    // The loader reports a file it cannot open on standard error, as the
    // DLL's callers expect; a C++ program gets the reason as a diagnostic.
    std::error_code error;
    const char* unreadable = nullptr;
    if (!std::filesystem::exists(path, error))
        unreadable = "does not exist";
    else if (!std::filesystem::is_regular_file(path, error))
        unreadable = "is not a regular file";
    else if (!std::ifstream(path))
        unreadable = "cannot be opened";
    if (unreadable != nullptr) {
        store().registry.addDiagnostic(tdl::Diagnostic{path, 0, tdl::DiagnosticKind::ReadFailure, unreadable});
        return 0;
    }
    return tdl::loadTdlFile(store().registry, path);
}

std::int32_t Templates::loadText(std::string_view text, const std::string& sourceName) {
    return tdl::loadTdlText(store().registry, text, sourceName);
}

std::vector<std::string> Templates::diagnostics() const {
    std::vector<std::string> lines;
    if (!store_) return lines;
    for (const tdl::Diagnostic& diagnostic : store_->registry.diagnostics())
        lines.push_back(tdl::formatDiagnostic(diagnostic));
    return lines;
}

}  // namespace teds::api
