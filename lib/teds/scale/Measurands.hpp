#pragma once
// The physical measurand that templates 30 to 35 select, by its code.

#include <cstdint>
#include <optional>
#include <string_view>

namespace teds::scale {

struct Measurand {
    std::string_view quantity;
    std::string_view unit;  // empty where the published list names none
    // Checked against a real image whose publisher states the unit; the
    // other codes follow the published list's order, which is inferred.
    bool verified = false;
};

// None for a code past the list.
std::optional<Measurand> measurandOf(std::uint64_t code);

}  // namespace teds::scale
