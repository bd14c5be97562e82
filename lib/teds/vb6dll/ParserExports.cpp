// Version checks and the parser handle: creation, TDL loading, destruction.

#include <cstdint>

#include "Firewall.hpp"
#include "Handles.hpp"
#include "teds/tdl/TdlLoader.hpp"

using teds::vb6dll::guarded;

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
    return guarded<TedsParser>(nullptr, [] { return new MirxTedsParser; });
}

void TEDS_VB6_CALL MirxTEDS_ParserDestroy(TedsParser parser) {
    guarded([&] { delete parser; });
}

int32_t TEDS_VB6_CALL MirxTEDS_ParseTDLFile(TedsParser parser, const char* path) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        if (!parser || !path) return 0;
        return teds::tdl::loadTdlFile(parser->registry, path);
    });
}
