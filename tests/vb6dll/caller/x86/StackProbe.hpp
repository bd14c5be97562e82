#pragma once
// A call made the way Visual Basic 6 makes a Declare'd call: the arguments
// pushed right to left as 32-bit slots, then a check of how far the stack
// pointer moved, which is how Visual Basic tells "Bad DLL calling
// convention". 32-bit x86 only.

#include <cstdint>
#include <vector>

namespace teds::test {

// Stack bytes a stdcall caller pushes for these arguments: each takes whole
// 4-byte slots.
template <class Result, class... Arguments>
constexpr std::uint32_t argumentBytes(Result(__stdcall*)(Arguments...)) {
    return (0u + ... + static_cast<std::uint32_t>((sizeof(Arguments) + 3) / 4 * 4));
}

struct ProbedCall {
    std::uint32_t result;       // EAX after the call
    std::uint32_t bytesPopped;  // argument bytes the function removed itself
};

ProbedCall probeCall(const void* function, const std::vector<std::uint32_t>& arguments);

}  // namespace teds::test
