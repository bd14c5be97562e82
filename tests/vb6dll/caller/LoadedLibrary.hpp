#pragma once
// The DLL as a Visual Basic program reaches it: loaded by name at run time
// from the program's folder, each function found by the name its Declare
// gives. This executable defines the functions of the public header itself,
// each one calling through a pointer into the loaded DLL, so the shared
// end-to-end tests run unchanged against it.

#include <cstddef>
#include <cstdint>
#include <string>

#include <teds_vb6.h>

namespace teds::test {

// The loaded library; loading failure stops the process, as nothing could run.
HMODULE loadedLibrary();

// The name a 32-bit Windows caller looks the function up by:
// "_<name>@<argument bytes>", where every argument takes whole 4-byte
// slots: one for a 32-bit integer or a pointer there, two for a double.
template <class Result, class... Arguments>
std::string decoratedName(const char* name, Result(TEDS_VB6_CALL*)(Arguments...)) {
    constexpr std::size_t bytes = (std::size_t{0} + ... + ((sizeof(Arguments) + 3) / 4 * 4));
    return "_" + std::string(name) + "@" + std::to_string(bytes);
}

// The name this build's DLL exports the function under: 64-bit Windows has
// one calling convention and decorates nothing.
template <class Function>
std::string exportedName(const char* name, Function* function) {
#if defined(_WIN64)
    (void)function;
    return name;
#else
    return decoratedName(name, function);
#endif
}

}  // namespace teds::test
