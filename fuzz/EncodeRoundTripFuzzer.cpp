// Decodes arbitrary bytes against the example templates and writes them
// again, twice: from the decoded values as they are, and from the values as
// the texts a person reads (what tedsdump's JSON hands tedsedit). Either
// encode may refuse; one that succeeds must give back the same bits.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ExampleRegistry.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueText.hpp"
#include "teds/encode/TedsEncoder.hpp"

namespace {

bool isNan(const teds::types::ValueRecord& record) {
    const auto* real = std::get_if<teds::types::RealValue>(&record.value);
    return real != nullptr && std::isnan(real->value);
}

// The values of one level as texts; struct arrays keep their elements.
// False when a value is a NaN: its text carries no payload, and a NaN other
// than the erased pattern is known not to come back through text.
bool toText(std::vector<teds::encode::StatedValue>& values) {
    bool exact = true;
    for (teds::encode::StatedValue& value : values) {
        if (value.elements)
            for (auto& element : *value.elements) exact = toText(element) && exact;
        if (value.name.empty() || !value.exact ||
            std::holds_alternative<teds::types::StructArrayValue>(value.exact->value))
            continue;
        exact = exact && !isNan(*value.exact);
        value.text = teds::decode::writtenValueText(*value.exact);
        value.exact.reset();
    }
    return exact;
}

void expectSameImage(const teds::encode::Encoded& encoded, const teds::container::Image& image) {
    if (encoded.ok() && (encoded.image.bytes != image.bytes || encoded.image.bitCount != image.bitCount))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const teds::container::Image image{std::vector<std::uint8_t>(data, data + size), 8u * static_cast<std::uint32_t>(size)};
    teds::decode::DecodedTeds decoded;
    teds::decode::decodeTeds(teds::fuzz::exampleRegistry(), data, static_cast<std::uint32_t>(size), nullptr, decoded);

    expectSameImage(teds::encode::encodeTeds(teds::fuzz::exampleRegistry(), decoded, image), image);

    teds::encode::StatedTeds stated = teds::encode::statedFromDecoded(decoded, teds::encode::layoutOf(decoded, image));
    bool exact = true;
    for (teds::encode::StatedTemplate& t : stated.templates) exact = toText(t.values) && exact;
    if (exact) expectSameImage(teds::encode::encodeStated(teds::fuzz::exampleRegistry(), stated, {}), image);
    return 0;
}
