#include "teds/tdl/TdlLoader.hpp"

#include "teds/tdl/Registry.hpp"
#include "teds/tdl/RegularFile.hpp"
#include "teds/tdl/TdlParse.hpp"
#include "teds/tdl/TemplateLinker.hpp"

namespace teds::tdl {
namespace {

// Binds the names of the parsed templates, offers each to the registry in
// file order and returns how many it accepted.
std::int32_t offerTemplates(Registry& registry, ParseResult parsed, const std::string& sourceName) {
    for (Diagnostic& diagnostic : parsed.diagnostics) registry.addDiagnostic(std::move(diagnostic));

    std::vector<Template*> templates;
    for (ParsedTemplate& parsedTemplate : parsed.templates) templates.push_back(parsedTemplate.tmpl.get());
    LinkResult links = linkTemplates(templates, sourceName);
    for (Diagnostic& diagnostic : links.diagnostics) registry.addDiagnostic(std::move(diagnostic));

    std::int32_t accepted = 0;
    std::vector<bool> isAccepted(parsed.templates.size(), false);
    for (std::size_t i = 0; i < parsed.templates.size(); ++i) {
        ParsedTemplate& candidate = parsed.templates[i];
        const std::string reason = registry.refusalReason(*candidate.tmpl);
        if (!reason.empty()) {
            registry.addDiagnostic(templateRefused(sourceName, candidate.line, candidate.tmpl->manufacturerKey,
                                                   candidate.tmpl->templateId, reason));
            continue;
        }
        registry.add(std::move(candidate.tmpl));
        isAccepted[i] = true;
        ++accepted;
    }

    // A refused template may hold an enumeration or unit that an accepted
    // one was bound to; it has to live on with the registry.
    for (std::size_t i = 0; i < parsed.templates.size(); ++i) {
        if (!isAccepted[i]) continue;
        for (std::size_t used : links.uses[i])
            if (parsed.templates[used].tmpl) registry.retain(std::move(parsed.templates[used].tmpl));
    }
    return accepted;
}

}  // namespace

FileLoad loadTdlFile(Registry& registry, const std::string& path) {
    OpenedFile opened = openRegularFile(path);
    if (!opened.file) return FileLoad{0, std::move(opened.failure)};
    ParseResult parsed;
    {
        Lexer lexer(opened.file.get());
        parsed = parseTdl(lexer, path);
    }
    opened.file.reset();
    return FileLoad{offerTemplates(registry, std::move(parsed), path), std::nullopt};
}

std::int32_t loadTdlText(Registry& registry, std::string_view text, const std::string& sourceName) {
    ParseResult parsed;
    {
        Lexer lexer(text);
        parsed = parseTdl(lexer, sourceName);
    }
    return offerTemplates(registry, std::move(parsed), sourceName);
}

}  // namespace teds::tdl
