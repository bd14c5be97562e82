#pragma once
// The C++ interface under the name it was first installed as.

#include "teds_api.hpp"

namespace teds {
namespace edit = api;
}  // namespace teds
