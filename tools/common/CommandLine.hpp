#pragma once
// What the tools' command lines share: options given as "--name VALUE" or
// "--name=VALUE", container format names, and the result of a parse.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "teds_container.hpp"

namespace teds_tools {

template <class Options>
struct ParsedCommandLine {
    Options options;
    std::string error;  // empty when the command line was understood

    bool ok() const { return error.empty(); }
};

// The value of option `name` at args[i]: "--name VALUE" (i then moves to the
// value; an empty text when there is none) or "--name=VALUE". None when
// args[i] is another option.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name);

// Reads `value` as the format option `name` takes; what is wrong, or an empty text.
std::string formatOption(const std::string& name, const std::string& value,
                         std::optional<teds::container::Format>& into);

}  // namespace teds_tools
