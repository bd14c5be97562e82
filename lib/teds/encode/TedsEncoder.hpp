#pragma once
// Writes TEDS images from their values: a decoded image back to its bits,
// the same image with some properties changed, or an image stated value by
// value. Whatever is written is decoded again and must give back what was
// stated; otherwise nothing is written and the report says why.

#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds/encode/StatedTeds.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds_encoding.hpp"

namespace teds::encode {

// `stated` as an image, with `settings` applied.
Encoded encodeStated(const tdl::Registry& registry, const StatedTeds& stated, const std::vector<Setting>& settings,
                     const EncodeOptions& options = {});

// The image `teds` was decoded from, written again from its values; refused
// when they do not give back its bits exactly.
Encoded encodeTeds(const tdl::Registry& registry, const decode::DecodedTeds& teds, const container::Image& original);

// `original`, decoded as `teds`, with `settings` applied. Refused when the
// image does not first encode back to its own bits, since an edit would
// then change more than it asks.
Encoded editTeds(const tdl::Registry& registry, const decode::DecodedTeds& teds, const container::Image& original,
                 const std::vector<Setting>& settings, const EncodeOptions& options = {});

}  // namespace teds::encode
