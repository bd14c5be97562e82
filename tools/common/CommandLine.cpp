#include "CommandLine.hpp"

namespace teds_tools {

std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name) {
    const std::string& arg = args[i];
    if (arg == name) return i + 1 == args.size() ? std::string() : args[++i];
    if (arg.rfind(name + "=", 0) == 0) return arg.substr(name.size() + 1);
    return std::nullopt;
}

std::string formatOption(const std::string& name, const std::string& value,
                         std::optional<teds::container::Format>& into) {
    constexpr const char* kFormatNames = "raw, hex, ted, eeprom or bits";
    into = teds::container::formatFromName(value);
    if (into) return {};
    if (value.empty()) return name + " needs a format: " + kFormatNames;
    return name + " takes " + kFormatNames + ", not '" + value + "'";
}

}  // namespace teds_tools
