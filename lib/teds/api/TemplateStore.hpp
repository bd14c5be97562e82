#pragma once
// What a Templates object holds. Decoded images share it, because their
// values point into its templates' nodes.

#include "teds/tdl/Registry.hpp"
#include "teds_api.hpp"

namespace teds::api {

struct TemplateStore {
    tdl::Registry registry;
};

}  // namespace teds::api
