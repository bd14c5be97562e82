#include "TemplateLoading.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "BundledTemplates.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds_tools {
namespace {

// Why `path` cannot be loaded; empty when it can be opened for reading.
std::string unreadableReason(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return "it is a directory";
    std::ifstream probe(path);
    if (!probe) return std::strerror(errno);
    return {};
}

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
        if (std::string reason = unreadableReason(path); !reason.empty()) {
            err << tool << ": cannot read template file '" << path << "': " << reason << '\n';
            return false;
        }
        const std::size_t before = registry.diagnostics().size();
        teds::tdl::loadTdlFile(registry, path);
        reportNewDiagnostics(registry, before, err);
    }
    return true;
}

}  // namespace teds_tools
