#include "teds/decode/TemplateChain.hpp"

#include <ostream>

#include "teds/decode/BitStream.hpp"
#include "teds/decode/RecordBudget.hpp"
#include "teds/tdl/Registry.hpp"

namespace teds::decode {
namespace {

enum Selector : std::uint32_t { kIeee = 0, kManufacturer = 1, kUser = 2, kExtended = 3 };

constexpr std::uint32_t kUserFieldBits = 14;

}  // namespace

UserDescriptor mapUserDescriptor(std::uint32_t u) {
    switch (u) {
    case 1: return {2, 0};
    case 2: return {3, 0};
    case 4: return {4, 0};
    case 10:
    case 14: return {5, 0};
    case 16383: return {7, 0};
    default:
        if (u >= 17 && u <= 16381) return {0, static_cast<std::int32_t>(u)};
        return {1, 0};
    }
}

void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                std::ostream* trace, DecodedTeds& out) {
    if (image == nullptr || length == 0) return;

    BitStream stream = BitStream::create(image, length);
    readBasicTeds(image, length, stream, trace, out.basic);

    TemplateRecord working;
    // One budget for the whole image: a template file may let a few bits
    // stand for many records, and an image may repeat such a template.
    RecordBudget budget;
    // The template ID and body of one descriptor, and how many of their bits
    // the image did not have.
    const auto decodeTemplate = [&](std::int32_t manufacturerKey) {
        const std::uint64_t pastEndBefore = stream.bitsPastEnd;
        const bool decoded = registry.decodeNextTemplate(stream, manufacturerKey, working, budget);
        working.missingBits = stream.bitsPastEnd - pastEndBefore;
        return decoded;
    };
    bool keepGoing = true;
    while (stream.hasMore()) {
        const auto selector = static_cast<std::uint32_t>(stream.readBits(2));
        if (trace) *trace << "Next Descriptor = " << selector << '\n';
        working.reset();

        bool decoded = false;
        switch (selector) {
        case kIeee:
            if (trace) *trace << "Next: IEEE template\n";
            keepGoing = decoded = decodeTemplate(0);
            break;
        case kManufacturer:
            if (trace) *trace << "Next: Manufacturer template\n";
            keepGoing = decoded = decodeTemplate(out.basic.manufacturerId);
            break;
        case kUser: {
            if (trace) *trace << "Next: User or different manufacturer template\n";
            const UserDescriptor user = mapUserDescriptor(static_cast<std::uint32_t>(stream.readBits(kUserFieldBits)));
            if (trace) *trace << "  Use: " << user.useCode << " (mfgr=" << user.manufacturer << ")\n";
            // Other use codes carry no template body: the next selector follows.
            if (user.useCode == 0) keepGoing = decoded = decodeTemplate(user.manufacturer);
            break;
        }
        default: {
            const std::uint32_t bit = stream.readBit();
            if (trace) *trace << "Next: Extended (Freeform? " << (bit == 0 ? 1 : 0) << ")\n";
            keepGoing = false;
            break;
        }
        }

        if (trace && (selector == kIeee || selector == kManufacturer)) {
            *trace << "  Template ID: " << working.keyText() << '\n';
            working.dump(*trace, "% ");
        }
        if (decoded) out.templates.push_back(std::move(working));
        if (!keepGoing) break;
    }
    stream.destroy();
}

}  // namespace teds::decode
