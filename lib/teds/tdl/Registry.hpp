#pragma once
// Every template a parser has loaded, by manufacturer key and template ID.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "teds/decode/BitStream.hpp"
#include "teds/decode/RecordBudget.hpp"
#include "teds/decode/TemplateRecord.hpp"
#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/Template.hpp"

namespace teds::tdl {

class Registry {
public:
    // Offers a finished template. Refused, with a diagnostic, when its key and
    // ID are already present or its ID width disagrees with its manufacturer's.
    bool add(std::unique_ptr<Template> tmpl);
    // Why `add` would refuse this template; empty when it would accept it.
    std::string refusalReason(const Template& tmpl) const;
    // Keeps a template that is not registered alive for as long as the
    // registry, because registered templates point into its nodes.
    void retain(std::unique_ptr<Template> tmpl) { retained_.push_back(std::move(tmpl)); }

    const Template* find(std::int32_t manufacturerKey, std::uint32_t templateId) const;
    // Width of the template ID field for a manufacturer; 0 when unknown.
    std::uint32_t idWidth(std::int32_t manufacturerKey) const;

    // Reads the template ID for `manufacturerKey`, finds the template and
    // decodes its body into `record`. Fails without reading when the
    // manufacturer is unknown or its ID width is 0.
    bool decodeNextTemplate(decode::BitStream& stream, std::int32_t manufacturerKey,
                            decode::TemplateRecord& record) const;
    // The same, taking the template's records from `budget`, which a whole
    // image shares so that no image yields more records than it allows.
    bool decodeNextTemplate(decode::BitStream& stream, std::int32_t manufacturerKey,
                            decode::TemplateRecord& record, decode::RecordBudget& budget) const;

    // Diagnostics of every load so far, in the order they arose.
    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    void addDiagnostic(Diagnostic diagnostic) { diagnostics_.push_back(std::move(diagnostic)); }

    // Every accepted template, by manufacturer key, then template ID.
    std::vector<const Template*> templates() const;

private:
    struct ManufacturerEntry {
        std::int32_t key = 0;
        std::uint32_t idWidth = 0;
        std::map<std::uint32_t, std::unique_ptr<Template>> templates;
    };

    const ManufacturerEntry* entryFor(std::int32_t manufacturerKey) const;

    std::vector<ManufacturerEntry> entries_;
    std::vector<std::unique_ptr<Template>> retained_;
    std::vector<Diagnostic> diagnostics_;
};

}  // namespace teds::tdl
