#pragma once
// Everything decoded from one TEDS image.

#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"

namespace teds::decode {

struct DecodedTeds {
    BasicTeds basic;
    std::vector<TemplateRecord> templates;  // in image order
};

}  // namespace teds::decode
