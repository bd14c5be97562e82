#pragma once
// A TEDS image as it is to be written: the values of its templates stated
// exactly (as a decode produced them) or as text a person writes, with
// whatever is known of the bits around them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "teds/decode/DecodedTeds.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds/types/ValueRecord.hpp"

namespace teds::encode {

struct StatedValue;
using StatedElement = std::vector<StatedValue>;

// One value, named as its template names it. Exactly one of `exact`,
// `text` and `elements` says what it is.
struct StatedValue {
    std::string name;  // empty for a select-case marker
    // As decoded: written back as it is, a select-case marker included.
    std::optional<types::ValueRecord> exact;
    // As a person writes it: read against the property's field. "none" is
    // the all-ones "no value" pattern of a number or date.
    std::optional<std::string> text;
    // A struct array's elements.
    std::optional<std::vector<StatedElement>> elements;
    // The text an exact text value refers to, held with the value so that
    // it outlives the decode it came from, in every copy.
    std::shared_ptr<const std::string> exactText;
};

struct StatedTemplate {
    std::int32_t manufacturerKey = 0;  // 0 for an IEEE standard template
    std::uint32_t templateId = 0;
    std::vector<StatedValue> values;  // in the order decoding yields them
    // The cases the template's selects took, in the order decoding met
    // them; consulted only where the values fit more than one case.
    std::vector<std::uint64_t> selectCases;
    // The bits before the template ID; made from the key when not known.
    std::optional<std::string> descriptorBits;
};

struct StatedTeds {
    decode::BasicTeds basic;
    std::vector<StatedTemplate> templates;
    // The bits after the last template; when not known, the chain is closed
    // with the end selector.
    std::optional<std::string> trailingBits;
    std::uint64_t bitsPastEnd = 0;  // bits of the last template the image lacks
};

// Records as a decode yields them, stated exactly.
std::vector<StatedValue> statedFromRecords(const std::vector<types::ValueRecord>& records);

// `teds` as decoded from an image with `layout`, every value exact.
StatedTeds statedFromDecoded(const decode::DecodedTeds& teds, const ImageLayout& layout);

}  // namespace teds::encode
