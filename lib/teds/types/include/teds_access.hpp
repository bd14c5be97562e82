#pragma once
// Who may change a property: the manufacturer, a calibration lab, the user.
// The values are the ones the DLL hands its callers; each level may also
// change what the levels with higher values may.

#include <cstdint>

namespace teds {

enum class Access : std::int32_t { Id = 0, Calibration = 1, User = 2 };

}  // namespace teds
