// Loads arbitrary bytes as a TDL file, then walks what was accepted.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    teds::tdl::Registry registry;
    teds::tdl::loadTdlText(registry, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.tdl");
    std::ostringstream sink;
    for (const teds::tdl::Template* tmpl : registry.templates()) tmpl->dump(sink, "");
    return 0;
}
