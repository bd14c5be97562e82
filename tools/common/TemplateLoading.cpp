#include "TemplateLoading.hpp"

#include "BundledTemplates.hpp"
#include "InputFile.hpp"

namespace teds_tools {
namespace {

// Text mode, as the library reads a template file, so that a file's
// diagnostics read the same whoever loads it.
constexpr InputRules kTemplateFileRules{.maxBytes = kMaxTemplateFileBytes,
                                        .beyondLimit = "far more than any template file",
                                        .regularFileOnly = true,
                                        .textMode = true};

// Every diagnostic of a load names the file it came from, so each line does.
void reportNewDiagnostics(const teds::api::Templates& templates, std::size_t from, std::ostream& err) {
    const std::vector<teds::api::Diagnostic> diagnostics = templates.diagnostics();
    for (std::size_t i = from; i < diagnostics.size(); ++i) err << diagnostics[i].text() << '\n';
}

// Each file as the library would load it, read here so that it is bounded
// and refused in the same words as every other input.
template <class Load>
bool loadEach(const std::vector<std::string>& tdlFiles, std::ostream& err, std::string_view tool, Load load) {
    if (tdlFiles.empty()) {
        load(bundledTemplateText(), kBundledTemplateName);
        return true;
    }
    for (const std::string& path : tdlFiles) {
        const InputOrError text = readInputFile(path, kTemplateFileRules);
        if (!text.ok()) {
            err << tool << ": template file '" << path << "' " << text.error << '\n';
            return false;
        }
        load(text.content, path);
    }
    return true;
}

}  // namespace

bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::api::Templates& templates, std::ostream& err,
                   std::string_view tool) {
    return loadEach(tdlFiles, err, tool, [&](std::string_view text, const std::string& source) {
        const std::size_t before = templates.diagnostics().size();
        templates.loadText(text, source);
        reportNewDiagnostics(templates, before, err);
    });
}

}  // namespace teds_tools
