#include "teds/tdl/TemplateLinker.hpp"

#include <map>
#include <string_view>
#include <unordered_map>

#include <boost/format.hpp>

#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/StructArray.hpp"

namespace teds::tdl {
namespace {

// The declarations of one template by name; the first of a name counts.
struct Declarations {
    std::map<std::string, const nodes::Enum*, std::less<>> enums;
    std::map<std::string, const nodes::PhysicalUnit*, std::less<>> units;
};

// Calls `visit` for every node of the tree, containers before their content.
// Templates nest at most a few dozen levels, so recursion is safe here.
template <typename Visit>
void forEachNode(nodes::NodeList& list, const Visit& visit) {
    for (nodes::NodePtr& node : list) {
        visit(*node);
        if (auto* select = nodes::nodeAs<nodes::SelectCase>(*node)) {
            for (nodes::Case& c : select->cases) forEachNode(c.nodes, visit);
        } else if (auto* array = nodes::nodeAs<nodes::StructArray>(*node)) {
            forEachNode(array->children, visit);
        }
    }
}

Declarations collectDeclarations(Template& tmpl) {
    Declarations found;
    forEachNode(tmpl.body, [&](nodes::Node& node) {
        if (const auto* e = nodes::nodeAs<nodes::Enum>(node))
            found.enums.emplace(e->name, e);
        else if (const auto* u = nodes::nodeAs<nodes::PhysicalUnit>(node))
            found.units.emplace(u->name, u);
    });
    return found;
}

// Where a name is declared first across the whole file.
template <typename Target>
struct FirstDeclaration {
    std::size_t tmpl = 0;
    const Target* target = nullptr;
};
template <typename Target>
using FileTable = std::unordered_map<std::string_view, FirstDeclaration<Target>>;

// One table for the whole file, so that a name that is not the owner's own
// costs one lookup instead of a look into every other template. emplace
// keeps the first template in file order.
template <typename Target>
FileTable<Target> firstDeclarations(const std::vector<Declarations>& declarations,
                                    std::map<std::string, const Target*, std::less<>> Declarations::*table) {
    FileTable<Target> first;
    for (std::size_t i = 0; i < declarations.size(); ++i)
        for (const auto& [name, target] : declarations[i].*table)
            first.emplace(name, FirstDeclaration<Target>{i, target});
    return first;
}

class Linker {
public:
    Linker(const std::vector<Template*>& templates, const std::string& sourceName)
        : templates_(templates), sourceName_(sourceName) {
        declarations_.reserve(templates.size());
        for (Template* tmpl : templates) declarations_.push_back(collectDeclarations(*tmpl));
        fileEnums_ = firstDeclarations(declarations_, &Declarations::enums);
        fileUnits_ = firstDeclarations(declarations_, &Declarations::units);
        result_.uses.resize(templates.size());
        usedBy_.assign(templates.size(), kNoOwner);
    }

    LinkResult run() {
        for (std::size_t i = 0; i < templates_.size(); ++i)
            forEachNode(templates_[i]->body, [&](nodes::Node& node) { bind(i, node); });
        return std::move(result_);
    }

private:
    static constexpr std::size_t kNoOwner = static_cast<std::size_t>(-1);

    void bind(std::size_t owner, nodes::Node& node) {
        if (auto* enumProperty = nodes::nodeAs<nodes::EnumProperty>(node)) {
            const types::PropertyDescription& declaration = enumProperty->declaration;
            enumProperty->bindEnum(find(owner, declaration.enumeration, &Declarations::enums, fileEnums_));
            if (enumProperty->enumRef == nullptr)
                report("Property '%s' uses unknown enum '%s'.", declaration.name, declaration.enumeration);
        } else if (auto* property = nodes::nodeAs<nodes::Property>(node)) {
            // An empty unit text names no unit.
            if (property->unitName.empty()) return;
            const nodes::PhysicalUnit* unit = find(owner, property->unitName, &Declarations::units, fileUnits_);
            if (unit != nullptr)
                property->declaration.unit = &unit->unit;
            else
                report("Property '%s' uses unknown unit '%s'.", property->declaration.name, property->unitName);
        }
    }

    // The owner's own declaration, else the first in file order. The latter
    // is never the owner's, since the owner was asked first.
    template <typename Target>
    const Target* find(std::size_t owner, const std::string& name,
                       std::map<std::string, const Target*, std::less<>> Declarations::*table,
                       const FileTable<Target>& file) {
        if (auto hit = (declarations_[owner].*table).find(name); hit != (declarations_[owner].*table).end())
            return hit->second;
        auto hit = file.find(name);
        if (hit == file.end()) return nullptr;
        recordUse(owner, hit->second.tmpl);
        return hit->second.target;
    }

    // Templates are bound one after the other, so marking `other` with the
    // owner that last recorded it tells whether uses[owner] holds it already
    // without searching that list.
    void recordUse(std::size_t owner, std::size_t other) {
        if (usedBy_[other] == owner) return;
        usedBy_[other] = owner;
        result_.uses[owner].push_back(other);
    }

    void report(const char* format, const std::string& property, const std::string& name) {
        result_.diagnostics.push_back(Diagnostic{sourceName_, 0, DiagnosticKind::UnknownName,
                                                 (boost::format(format) % property % name).str(), {}});
    }

    const std::vector<Template*>& templates_;
    const std::string& sourceName_;
    std::vector<Declarations> declarations_;
    FileTable<nodes::Enum> fileEnums_;
    FileTable<nodes::PhysicalUnit> fileUnits_;
    // For each template, the owner that last recorded a use of it.
    std::vector<std::size_t> usedBy_;
    LinkResult result_;
};

}  // namespace

LinkResult linkTemplates(const std::vector<Template*>& templates, const std::string& sourceName) {
    return Linker(templates, sourceName).run();
}

}  // namespace teds::tdl
