#pragma once
// What a Teds object holds: the image, what it decoded to, the templates
// its values point into, and the settings waiting for the next encode.

#include <memory>
#include <mutex>
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
    std::vector<encode::Setting> settings;

    // Each index is built by the first query that needs it, so that a
    // decode pays for neither; const queries may come from several threads
    // at once. Both are over `decoded`, which stays where it is.
    const decode::PositionIndex& positions() const {
        std::call_once(positionsBuilt_, [this] { positions_ = decode::PositionIndex(decoded.templates); });
        return positions_;
    }
    const decode::NameIndex& names() const {
        std::call_once(namesBuilt_, [this] { names_ = decode::NameIndex(decoded.templates); });
        return names_;
    }

private:
    mutable std::once_flag positionsBuilt_;
    mutable decode::PositionIndex positions_;
    mutable std::once_flag namesBuilt_;
    mutable decode::NameIndex names_;
};

}  // namespace teds::api
