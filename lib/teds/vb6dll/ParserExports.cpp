// Version checks and the parser handle: creation, TDL loading, destruction.

#include <cstdint>
#include <cstdio>
#include <memory>

#include "Firewall.hpp"
#include "HandleTable.hpp"

using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;

namespace {

constexpr char kVersionText[] = "0.1";
// Callers written for interface versions up to this one are served.
constexpr std::int32_t kInterfaceVersion = 1;

}  // namespace

const char* TEDS_VB6_CALL MirxTEDS_GetVersion(void) {
    return kVersionText;
}

int32_t TEDS_VB6_CALL MirxTEDS_CheckVersion(int32_t version) {
    return version <= kInterfaceVersion ? 1 : 0;
}

TedsParser TEDS_VB6_CALL MirxTEDS_ParserCreate(void) {
    return guarded<TedsParser>(nullptr, [] { return handleTable().addParser(std::make_shared<MirxTedsParser>()); });
}

void TEDS_VB6_CALL MirxTEDS_ParserDestroy(TedsParser parser) {
    guarded([&] { handleTable().removeParser(parser); });
}

int32_t TEDS_VB6_CALL MirxTEDS_ParseTDLFile(TedsParser parser, const char* path) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto live = handleTable().parser(parser);
        if (!live || !path) return 0;
        const teds::api::FileLoad loaded = live->templates.loadFile(path);
        // Callers have always had the C library's line for a file that
        // cannot be opened on standard error; the library itself says nothing.
        if (loaded.unopened)
            std::fprintf(stderr, "%s: %s\n", loaded.unopened->source.c_str(), loaded.unopened->systemMessage.c_str());
        return loaded.accepted;
    });
}
