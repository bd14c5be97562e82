#pragma once
// What a command line says of a channel that its TEDS does not: the
// cold-junction temperature, the excitation and an RTD's R0, and the
// numbers they are written in.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds_scale.hpp"

namespace teds_tools {

// The whole of `text` as a decimal number, read the same in every locale;
// a leading '+' is allowed. None when anything else is there.
std::optional<double> numberFrom(std::string_view text);

struct ChannelOption {
    std::string name;   // "--cjc", "--excitation" or "--r0"
    std::string error;  // empty when its value was taken
};

// Reads --cjc DEGC, --excitation VOLTS or --r0 OHMS at args[i] (as
// optionValue takes an option) into `conditions`. None when args[i] is
// another argument.
std::optional<ChannelOption> channelOption(const std::vector<std::string>& args, std::size_t& i,
                                           teds::scale::ChannelConditions& conditions);

// The three options as the tools' usage texts list them.
inline constexpr std::string_view kChannelOptionsUsage =
    "  --cjc DEGC         a thermocouple's cold-junction temperature, in degC\n"
    "  --excitation V     the volts a bridge is driven with: its input is then in V, not V/V\n"
    "  --r0 OHMS          an RTD's resistance at 0 degC, where the TEDS states none\n";

}  // namespace teds_tools
