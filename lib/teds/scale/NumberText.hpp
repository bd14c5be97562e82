#pragma once
// Numbers in the texts a scale writes: the shortest text that reads back.

#include <charconv>
#include <string>

namespace teds::scale {

inline std::string numberText(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace teds::scale
