#include "TemplateLoading.hpp"

#include "BundledTemplates.hpp"
#include "InputFile.hpp"
#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds_tools {
namespace {

// Text mode, as the library reads a template file, so that a file's
// diagnostics read the same whoever loads it.
constexpr InputRules kTemplateFileRules{.maxBytes = kMaxTemplateFileBytes,
                                        .beyondLimit = "far more than any template file",
                                        .regularFileOnly = true,
                                        .textMode = true};

// `load(text, name)` loads one text and gives back the lines of the
// diagnostics it raised; every diagnostic of a load names the file it came
// from, so each line does.
template <class Load>
bool loadEach(const std::vector<std::string>& tdlFiles, std::ostream& err, std::string_view tool, Load load) {
    if (tdlFiles.empty()) {
        for (const std::string& line : load(bundledTemplateText(), kBundledTemplateName)) err << line << '\n';
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
        for (const std::string& line : load(text.content, path)) err << line << '\n';
    }
    return true;
}

}  // namespace

bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::api::Templates& templates, std::ostream& err,
                   std::string_view tool) {
    return loadEach(tdlFiles, err, tool, [&](std::string_view text, const std::string& name) {
        const std::size_t before = templates.diagnostics().size();
        templates.loadText(text, name);
        std::vector<std::string> lines = templates.diagnostics();
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(before));
        return lines;
    });
}

bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::tdl::Registry& registry, std::ostream& err,
                   std::string_view tool) {
    return loadEach(tdlFiles, err, tool, [&](std::string_view text, const std::string& name) {
        const std::size_t before = registry.diagnostics().size();
        teds::tdl::loadTdlText(registry, text, name);
        std::vector<std::string> lines;
        for (std::size_t i = before; i < registry.diagnostics().size(); ++i)
            lines.push_back(teds::tdl::formatDiagnostic(registry.diagnostics()[i]));
        return lines;
    });
}

}  // namespace teds_tools
