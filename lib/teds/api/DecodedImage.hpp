#pragma once
// What a Teds object holds: the image, what it decoded to, the templates
// its values point into, and the settings waiting for the next encode.

#include <memory>
#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds/decode/NameIndex.hpp"
#include "teds/decode/PositionIndex.hpp"
#include "teds/api/TemplateStore.hpp"
#include "teds_encoding.hpp"

namespace teds::api {

struct DecodedImage {
    std::shared_ptr<const TemplateStore> templates;
    container::Image image;
    decode::DecodedTeds decoded;
    // Over `decoded`, which stays where it is for the object's life.
    decode::PositionIndex positions;
    decode::NameIndex names;
    std::vector<encode::Setting> settings;
};

}  // namespace teds::api
