#pragma once
// Every template a parser has loaded, by manufacturer key and template ID.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

    // A parser may live as long as its host and reload files for ever, so
    // it keeps a bounded number of diagnostics: past either limit the rest
    // are only counted, in one last entry that says how many.
    static constexpr std::size_t kMaxDiagnostics = 1000;
    static constexpr std::size_t kMaxDiagnosticBytes = std::size_t{256} << 10;

    // Diagnostics of every load so far, in the order they arose.
    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    void addDiagnostic(Diagnostic diagnostic);

    // Every accepted template, by manufacturer key, then template ID.
    std::vector<const Template*> templates() const;

private:
    struct ManufacturerEntry {
        std::uint32_t idWidth = 0;
        std::map<std::uint32_t, std::unique_ptr<Template>> templates;
    };

    const ManufacturerEntry* entryFor(std::int32_t manufacturerKey) const;

    // A map, not a list: a file may name many thousands of manufacturers,
    // and every add and find looks one up. Ordered, so that templates()
    // needs no sorting.
    std::map<std::int32_t, ManufacturerEntry> entries_;
    std::vector<std::unique_ptr<Template>> retained_;
    std::vector<Diagnostic> diagnostics_;
    std::size_t diagnosticBytes_ = 0;
    std::uint64_t droppedDiagnostics_ = 0;
};

}  // namespace teds::tdl
