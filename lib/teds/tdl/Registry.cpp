#include "teds/tdl/Registry.hpp"

namespace teds::tdl {

namespace {

// A template ID is read with readBits(width) and kept in 32 bits.
constexpr std::uint32_t kMaxIdWidth = 32;

}  // namespace

std::string Registry::refusalReason(const Template& tmpl) const {
    if (tmpl.manufacturerKey < 0) return "manufacturer key " + std::to_string(tmpl.manufacturerKey) + " is negative";
    if (tmpl.idWidth == 0 || tmpl.idWidth > kMaxIdWidth)
        return "template ID width " + std::to_string(tmpl.idWidth) + " is not between 1 and 32";
    if (tmpl.idWidth < 32 && tmpl.templateId >> tmpl.idWidth != 0)
        return "template ID does not fit in " + std::to_string(tmpl.idWidth) + " bits";
    const ManufacturerEntry* entry = entryFor(tmpl.manufacturerKey);
    if (entry == nullptr) return {};
    if (entry->templates.count(tmpl.templateId) != 0) return "already loaded";
    if (entry->idWidth != tmpl.idWidth)
        return "its " + std::to_string(tmpl.idWidth) + "-bit template ID disagrees with the " +
               std::to_string(entry->idWidth) + "-bit IDs already loaded for manufacturer " +
               std::to_string(tmpl.manufacturerKey);
    return {};
}

bool Registry::add(std::unique_ptr<Template> tmpl) {
    if (!tmpl) return false;
    if (std::string reason = refusalReason(*tmpl); !reason.empty()) {
        addDiagnostic(templateRefused({}, 0, tmpl->manufacturerKey, tmpl->templateId, reason));
        return false;
    }
    // The first template of a manufacturer sets the width of its IDs.
    ManufacturerEntry& entry =
        entries_.try_emplace(tmpl->manufacturerKey, ManufacturerEntry{tmpl->idWidth, {}}).first->second;
    const std::uint32_t id = tmpl->templateId;
    entry.templates.emplace(id, std::move(tmpl));
    return true;
}

const Registry::ManufacturerEntry* Registry::entryFor(std::int32_t manufacturerKey) const {
    auto found = entries_.find(manufacturerKey);
    return found == entries_.end() ? nullptr : &found->second;
}

const Template* Registry::find(std::int32_t manufacturerKey, std::uint32_t templateId) const {
    const ManufacturerEntry* entry = entryFor(manufacturerKey);
    if (entry == nullptr) return nullptr;
    auto found = entry->templates.find(templateId);
    return found == entry->templates.end() ? nullptr : found->second.get();
}

std::uint32_t Registry::idWidth(std::int32_t manufacturerKey) const {
    const ManufacturerEntry* entry = entryFor(manufacturerKey);
    return entry == nullptr ? 0 : entry->idWidth;
}

void Registry::addDiagnostic(Diagnostic diagnostic) {
    const std::size_t bytes = diagnostic.source.size() + diagnostic.message.size();
    // One slot stays free for the entry that counts the dropped ones.
    if (droppedDiagnostics_ == 0 && diagnostics_.size() + 1 < kMaxDiagnostics &&
        diagnosticBytes_ + bytes <= kMaxDiagnosticBytes) {
        diagnosticBytes_ += bytes;
        diagnostics_.push_back(std::move(diagnostic));
        return;
    }
    if (droppedDiagnostics_++ == 0) diagnostics_.push_back(Diagnostic{{}, 0, DiagnosticKind::Dropped, {}, {}});
    diagnostics_.back().message = std::to_string(droppedDiagnostics_) + " more diagnostics dropped";
}

std::vector<const Template*> Registry::templates() const {
    std::vector<const Template*> all;
    for (const auto& [key, entry] : entries_)
        for (const auto& [id, tmpl] : entry.templates) all.push_back(tmpl.get());
    return all;
}

}  // namespace teds::tdl
