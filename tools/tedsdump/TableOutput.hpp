#pragma once
// The readable form of a decoded image: the Basic TEDS, then each template
// with its properties in decoding order.

#include <ostream>
#include <string>

#include "teds_api.hpp"

namespace tedsdump {

// `container` says what held the image, as containerText() words it. With
// `scales`, each template's properties are followed by its scale under
// those conditions, or the reason it gives none.
void writeTable(std::ostream& out, const teds::api::Teds& teds, const std::string& container,
                const teds::api::ChannelConditions* scales = nullptr);

}  // namespace tedsdump
