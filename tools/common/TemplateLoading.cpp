#include "TemplateLoading.hpp"

#include "BundledTemplates.hpp"
#include "InputFile.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds_tools {
namespace {

// Text mode, as the library reads a template file, so that a file's
// diagnostics read the same whoever loads it.
constexpr InputRules kTemplateFileRules{.maxBytes = kMaxTemplateFileBytes,
                                        .beyondLimit = "far more than any template file",
                                        .regularFileOnly = true,
                                        .textMode = true};

// Every diagnostic of a load names the file it came from, so each line does.
void reportNewDiagnostics(const teds::tdl::Registry& registry, std::size_t from, std::ostream& err) {
    const std::vector<teds::tdl::Diagnostic>& diagnostics = registry.diagnostics();
    for (std::size_t i = from; i < diagnostics.size(); ++i) err << teds::tdl::formatDiagnostic(diagnostics[i]) << '\n';
}

}  // namespace

bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::tdl::Registry& registry, std::ostream& err,
                   std::string_view tool) {
    if (tdlFiles.empty()) {
        const std::size_t before = registry.diagnostics().size();
        teds::tdl::loadTdlText(registry, bundledTemplateText(), kBundledTemplateName);
        reportNewDiagnostics(registry, before, err);
        return true;
    }
    for (const std::string& path : tdlFiles) {
        // Read here rather than by the library, so that a template file is
        // bounded and refused in the same words as every other input.
        const InputOrError text = readInputFile(path, kTemplateFileRules);
        if (!text.ok()) {
            err << tool << ": template file '" << path << "' " << text.error << '\n';
            return false;
        }
        const std::size_t before = registry.diagnostics().size();
        teds::tdl::loadTdlText(registry, text.content, path);
        reportNewDiagnostics(registry, before, err);
    }
    return true;
}

}  // namespace teds_tools
