#include "teds/tdl/Registry.hpp"

#include <algorithm>


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
    auto entry = std::find_if(entries_.begin(), entries_.end(),
                              [&](const ManufacturerEntry& e) { return e.key == tmpl->manufacturerKey; });
    if (entry == entries_.end()) {
        // The first template of a manufacturer sets the width of its IDs.
        entries_.push_back(ManufacturerEntry{tmpl->manufacturerKey, tmpl->idWidth, {}});
        entry = entries_.end() - 1;
    }
    const std::uint32_t id = tmpl->templateId;
    entry->templates.emplace(id, std::move(tmpl));
    return true;
}

const Registry::ManufacturerEntry* Registry::entryFor(std::int32_t manufacturerKey) const {
    for (const ManufacturerEntry& entry : entries_)
        if (entry.key == manufacturerKey) return &entry;
    return nullptr;
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

std::vector<const Template*> Registry::templates() const {
    std::vector<const ManufacturerEntry*> byKey;
    for (const ManufacturerEntry& entry : entries_) byKey.push_back(&entry);
    std::sort(byKey.begin(), byKey.end(),
              [](const ManufacturerEntry* a, const ManufacturerEntry* b) { return a->key < b->key; });

    std::vector<const Template*> all;
    for (const ManufacturerEntry* entry : byKey)
        for (const auto& [id, tmpl] : entry->templates) all.push_back(tmpl.get());
    return all;
}

}  // namespace teds::tdl
