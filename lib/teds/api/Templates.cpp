#include <sstream>
#include <utility>

#include "teds/api/TemplateStore.hpp"
#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/TdlLoader.hpp"
#include "teds/tdl/Template.hpp"

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
    tdl::FileLoad loaded = tdl::loadTdlFile(store().registry, path);
    if (loaded.unopened) {
        // Worded for a program's reader rather than as the C library words it.
        tdl::Diagnostic& unopened = *loaded.unopened;
        unopened.message = unopened.kind == tdl::DiagnosticKind::MissingFile      ? "does not exist"
                           : unopened.kind == tdl::DiagnosticKind::NotRegularFile ? "is not a regular file"
                                                                                  : "cannot be opened";
        store().registry.addDiagnostic(std::move(unopened));
    }
    return loaded.accepted;
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

std::string Templates::dump() const {
    std::ostringstream text;
    if (store_)
        for (const tdl::Template* tmpl : store_->registry.templates()) tmpl->dump(text, "");
    return text.str();
}

}  // namespace teds::api
