#pragma once
// The example templates loaded once into a registry, for the fuzzers that
// decode with the core directly.

#include "FuzzTemplates.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::fuzz {

inline const tdl::Registry& exampleRegistry() {
    static const tdl::Registry registry = [] {
        tdl::Registry r;
        for (const std::string& file : exampleTemplateFiles()) tdl::loadTdlFile(r, file);
        return r;
    }();
    return registry;
}

}  // namespace teds::fuzz
