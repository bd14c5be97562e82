#include "TemplateLoading.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "BundledTemplates.hpp"

namespace tedsdump {
namespace {

// Why `path` cannot be loaded; empty when it can be opened for reading.
std::string unreadableReason(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return "it is a directory";
    std::ifstream probe(path);
    if (!probe) return std::strerror(errno);
    return {};
}

// Diagnostics of name binding do not carry the file; the others start with it.
void reportNewDiagnostics(const teds::tdl::Registry& registry, std::size_t from, const std::string& source,
                          std::ostream& err) {
    const std::vector<std::string>& messages = registry.diagnostics();
    for (std::size_t i = from; i < messages.size(); ++i) {
        if (messages[i].rfind(source + ":", 0) == 0)
            err << messages[i] << '\n';
        else
            err << source << ": " << messages[i] << '\n';
    }
}

}  // namespace

bool loadTemplates(const std::vector<std::string>& tdlFiles, teds::tdl::Registry& registry, std::ostream& err) {
    if (tdlFiles.empty()) {
        const std::size_t before = registry.diagnostics().size();
        registry.loadText(bundledTemplateText(), kBundledTemplateName);
        reportNewDiagnostics(registry, before, kBundledTemplateName, err);
        return true;
    }
    for (const std::string& path : tdlFiles) {
        if (std::string reason = unreadableReason(path); !reason.empty()) {
            err << "tedsdump: cannot read template file '" << path << "': " << reason << '\n';
            return false;
        }
        const std::size_t before = registry.diagnostics().size();
        registry.loadFile(path);
        reportNewDiagnostics(registry, before, path, err);
    }
    return true;
}

}  // namespace tedsdump
