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

FileLoad Templates::loadFile(const std::string& path) {
    FileLoad loaded = tdl::loadTdlFile(store().registry, path);
    if (loaded.unopened) {
        // Worded for a program's reader; the C library's words stay in
        // systemMessage.
        Diagnostic& unopened = *loaded.unopened;
        unopened.message = unopened.kind == DiagnosticKind::MissingFile      ? "does not exist"
                           : unopened.kind == DiagnosticKind::NotRegularFile ? "is not a regular file"
                                                                             : "cannot be opened";
        store().registry.addDiagnostic(unopened);
    }
    return loaded;
}

std::int32_t Templates::loadText(std::string_view text, const std::string& sourceName) {
    return tdl::loadTdlText(store().registry, text, sourceName);
}

std::vector<Diagnostic> Templates::diagnostics() const {
    return store_ ? store_->registry.diagnostics() : std::vector<Diagnostic>{};
}

std::string Templates::dump() const {
    std::ostringstream text;
    if (store_)
        for (const tdl::Template* tmpl : store_->registry.templates()) tmpl->dump(text, "");
    return text.str();
}

}  // namespace teds::api
