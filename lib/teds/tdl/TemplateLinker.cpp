#include "teds/tdl/TemplateLinker.hpp"

#include <algorithm>
#include <map>

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

class Linker {
public:
    Linker(const std::vector<Template*>& templates, const std::string& sourceName)
        : templates_(templates), sourceName_(sourceName) {
        declarations_.reserve(templates.size());
        for (Template* tmpl : templates) declarations_.push_back(collectDeclarations(*tmpl));
        result_.uses.resize(templates.size());
    }

    LinkResult run() {
        for (std::size_t i = 0; i < templates_.size(); ++i)
            forEachNode(templates_[i]->body, [&](nodes::Node& node) { bind(i, node); });
        return std::move(result_);
    }

private:
    void bind(std::size_t owner, nodes::Node& node) {
        if (auto* enumProperty = nodes::nodeAs<nodes::EnumProperty>(node)) {
            const types::PropertyDescription& declaration = enumProperty->declaration;
            enumProperty->enumRef = find(owner, declaration.enumeration, &Declarations::enums);
            if (enumProperty->enumRef == nullptr)
                report("Property '%s' uses unknown enum '%s'.", declaration.name, declaration.enumeration);
        } else if (auto* property = nodes::nodeAs<nodes::Property>(node)) {
            // An empty unit text names no unit.
            if (property->unitName.empty()) return;
            const nodes::PhysicalUnit* unit = find(owner, property->unitName, &Declarations::units);
            if (unit != nullptr)
                property->declaration.unit = &unit->unit;
            else
                report("Property '%s' uses unknown unit '%s'.", property->declaration.name, property->unitName);
        }
    }

    template <typename Target>
    const Target* find(std::size_t owner, const std::string& name,
                       std::map<std::string, const Target*, std::less<>> Declarations::*table) {
        if (auto hit = (declarations_[owner].*table).find(name); hit != (declarations_[owner].*table).end())
            return hit->second;
        for (std::size_t other = 0; other < declarations_.size(); ++other) {
            if (other == owner) continue;
            const auto& names = declarations_[other].*table;
            if (auto hit = names.find(name); hit != names.end()) {
                std::vector<std::size_t>& uses = result_.uses[owner];
                if (std::find(uses.begin(), uses.end(), other) == uses.end()) uses.push_back(other);
                return hit->second;
            }
        }
        return nullptr;
    }

    void report(const char* format, const std::string& property, const std::string& name) {
        result_.diagnostics.push_back(Diagnostic{sourceName_, 0, DiagnosticKind::UnknownName,
                                                 (boost::format(format) % property % name).str()});
    }

    const std::vector<Template*>& templates_;
    const std::string& sourceName_;
    std::vector<Declarations> declarations_;
    LinkResult result_;
};

}  // namespace

LinkResult linkTemplates(const std::vector<Template*>& templates, const std::string& sourceName) {
    return Linker(templates, sourceName).run();
}

}  // namespace teds::tdl
