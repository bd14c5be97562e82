#include "ChannelOptions.hpp"

#include <charconv>
#include <cmath>

#include "CommandLine.hpp"

namespace teds_tools {

std::optional<double> numberFrom(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<ChannelOption> channelOption(const std::vector<std::string>& args, std::size_t& i,
                                           teds::scale::ChannelConditions& conditions) {
    struct Kind {
        const char* name;
        std::optional<double> teds::scale::ChannelConditions::*field;
        bool positive;  // an excitation or a resistance of 0 or less means nothing
        const char* what;
    };
    static constexpr Kind kKinds[] = {
        {"--cjc", &teds::scale::ChannelConditions::coldJunctionC, false, "a temperature in degC"},
        {"--excitation", &teds::scale::ChannelConditions::excitationV, true, "a positive number of volts"},
        {"--r0", &teds::scale::ChannelConditions::r0Ohm, true, "a positive number of ohms"},
    };
    for (const Kind& kind : kKinds) {
        const auto value = optionValue(args, i, kind.name);
        if (!value) continue;
        ChannelOption option{kind.name, {}};
        const auto number = numberFrom(*value);
        if (!number || !std::isfinite(*number) || (kind.positive && *number <= 0.0))
            option.error = option.name + " takes " + kind.what + ", not '" + *value + "'";
        else
            conditions.*kind.field = *number;
        return option;
    }
    return std::nullopt;
}

}  // namespace teds_tools
