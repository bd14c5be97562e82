// Reads arbitrary bytes as the JSON document tedsedit --from-json takes and
// encodes what it reads against the example templates. A document is read
// or refused in lines, and what is read is encoded or refused; nothing
// crashes, and memory stays within libFuzzer's limit however the document
// nests or repeats itself.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ExampleTemplates.hpp"
#include "teds_api.hpp"

using teds::fuzz::exampleTemplates;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const teds::api::DocumentRead document =
        teds::api::readDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (document.ok()) document.document.encode(exampleTemplates());
    return 0;
}
