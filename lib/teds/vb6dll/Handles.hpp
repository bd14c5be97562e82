#pragma once
// What the two opaque handles of the C interface stand for: the table of
// live handles maps each handle to one of these.

#include <cstdint>

#include "Api.hpp"
#include "teds_api.hpp"

struct MirxTedsParser {
    teds::api::Templates templates;
};

// A decoded image keeps the templates it was decoded against alive, so a
// query on another thread may still hold it after its parser is destroyed.
// Queries only read it: no query changes a decoded TEDS.
struct MirxDecodedTeds {
    teds::api::Teds teds;
};
