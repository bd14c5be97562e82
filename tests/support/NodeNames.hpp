#pragma once
// The property names a node list declares, for checks of template trees.

#include <string>
#include <vector>

#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/StructArray.hpp"

namespace teds::testing {

// Appends the names of the properties `node` yields: every case of a select,
// an array's children under "prefix + array name + '.'" when `usePrefix`.
inline void collectNames(const tdl::nodes::Node& node, const std::string& prefix, bool usePrefix,
                         std::vector<std::string>& names) {
    using namespace tdl::nodes;
    if (const auto* p = nodeAs<Property>(node)) {
        names.push_back(usePrefix ? prefix + p->declaration.name : p->declaration.name);
    } else if (const auto* s = nodeAs<SelectCase>(node)) {
        for (const Case& c : s->cases)
            for (const NodePtr& child : c.nodes) collectNames(*child, prefix, usePrefix, names);
    } else if (const auto* a = nodeAs<StructArray>(node)) {
        for (const NodePtr& child : a->children)
            collectNames(*child, prefix + a->declaration.name + ".", usePrefix, names);
    }
}

}  // namespace teds::testing
