#pragma once
// teds_vb6.dll as a Visual Basic program reaches it: loaded by name at run
// time from the program's folder, each function found by its decorated name.
// This executable defines the functions of the public header itself, each
// one calling through a stdcall pointer into the loaded DLL, so the shared
// end-to-end tests run unchanged against it.

#include <cstdint>
#include <string>

#include <teds_vb6.h>

namespace teds::test {

// The loaded library; loading failure stops the process, as nothing could run.
HMODULE loadedLibrary();

// Stack bytes a stdcall caller pushes for these arguments: each takes whole
// 4-byte slots.
template <class Result, class... Arguments>
constexpr std::uint32_t argumentBytes(Result(TEDS_VB6_CALL*)(Arguments...)) {
    return (0u + ... + static_cast<std::uint32_t>((sizeof(Arguments) + 3) / 4 * 4));
}

// The name a 32-bit Windows caller looks the function up by:
// "_<name>@<argument bytes>".
template <class Function>
std::string decoratedName(const char* name, Function* function) {
    return "_" + std::string(name) + "@" + std::to_string(argumentBytes(function));
}

}  // namespace teds::test
