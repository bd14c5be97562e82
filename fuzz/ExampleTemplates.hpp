#pragma once
// The example templates loaded once through the C++ interface, for the
// fuzzers that go through it.

#include "FuzzTemplates.hpp"
#include "teds_api.hpp"

namespace teds::fuzz {

inline const api::Templates& exampleTemplates() {
    static const api::Templates templates = [] {
        api::Templates loaded;
        for (const std::string& file : exampleTemplateFiles()) loaded.loadFile(file);
        return loaded;
    }();
    return templates;
}

}  // namespace teds::fuzz
