#include "teds/decode/TemplateChain.hpp"

#include <ostream>

#include "teds/tdl/Registry.hpp"
#include "teds_chain_format.hpp"

namespace teds::decode {
UserDescriptor mapUserDescriptor(std::uint32_t u) {
    switch (u) {
    case 1: return {UseCode::U1, 0};
    case 2: return {UseCode::U2, 0};
    case 4: return {UseCode::U4, 0};
    case 10:
    case 14: return {UseCode::U10Or14, 0};
    case chain::kUserFieldAllOnes: return {UseCode::AllOnes, 0};
    default:
        if (u >= static_cast<std::uint32_t>(chain::kFirstOtherManufacturer) &&
            u <= static_cast<std::uint32_t>(chain::kLastOtherManufacturer)) return {UseCode::OtherManufacturer, static_cast<std::int32_t>(u)};
        return {UseCode::Unassigned, 0};
    }
}

bool decodeTemplate(const tdl::Registry& registry, types::BitReader& in, std::int32_t manufacturerKey,
                    TemplateRecord& record, types::DecodeBudget& budget) {
    const std::uint32_t idWidth = registry.idWidth(manufacturerKey);
    if (idWidth == 0) return false;
    const auto templateId = static_cast<std::uint32_t>(in.readBits(idWidth));
    const tdl::Template* tmpl = registry.find(manufacturerKey, templateId);
    record.begin(manufacturerKey, static_cast<std::int32_t>(templateId), tmpl);
    if (tmpl == nullptr) return false;
    // A template that yields nothing still takes its place in the image's list.
    if (!budget.take(2 * sizeof(TemplateRecord))) return false;
    return tmpl->decodeBody(in, record.values, budget);
}

void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                std::ostream* trace, DecodedTeds& out) {
    if (image == nullptr || length == 0) return;

    types::BitReader in(image, length);
    readBasicTeds(image, length, in, trace, out.basic);

    TemplateRecord working;
    // One budget for the whole image: a template file may let a few bits
    // stand for many records, and an image may repeat such a template.
    types::DecodeBudget budget(types::DecodeBudget::limitForImage(length));
    // The template ID and body of one descriptor, and how many of their bits
    // the image did not have.
    const auto decodeBodyFor = [&](std::int32_t manufacturerKey) {
        const std::uint64_t pastEndBefore = in.bitsPastEnd();
        working.idBit = in.position();
        const bool decoded = decodeTemplate(registry, in, manufacturerKey, working, budget);
        working.missingBits = in.bitsPastEnd() - pastEndBefore;
        working.endBit = in.position();
        return decoded;
    };
    bool keepGoing = true;
    while (in.hasMore()) {
        const auto selector = static_cast<std::uint32_t>(in.readBits(chain::kSelectorBits));
        if (trace) *trace << "Next Descriptor = " << selector << '\n';
        working.reset();

        bool decoded = false;
        switch (selector) {
        case chain::kIeeeSelector:
            if (trace) *trace << "Next: IEEE template\n";
            keepGoing = decoded = decodeBodyFor(0);
            break;
        case chain::kManufacturerSelector:
            if (trace) *trace << "Next: Manufacturer template\n";
            keepGoing = decoded = decodeBodyFor(out.basic.manufacturerId);
            break;
        case chain::kUserSelector: {
            if (trace) *trace << "Next: User or different manufacturer template\n";
            const UserDescriptor user = mapUserDescriptor(static_cast<std::uint32_t>(in.readBits(chain::kUserFieldBits)));
            if (trace)
                *trace << "  Use: " << static_cast<std::int32_t>(user.useCode) << " (mfgr=" << user.manufacturer << ")\n";
            // Other use codes carry no template body: the next selector follows.
            if (user.useCode == UseCode::OtherManufacturer) keepGoing = decoded = decodeBodyFor(user.manufacturer);
            break;
        }
        default: {
            const std::uint32_t bit = in.readBit();
            if (trace) *trace << "Next: Extended (Freeform? " << (bit == 0 ? 1 : 0) << ")\n";
            keepGoing = false;
            break;
        }
        }

        if (trace && (selector == chain::kIeeeSelector || selector == chain::kManufacturerSelector)) {
            *trace << "  Template ID: " << working.keyText() << '\n';
            working.dump(*trace, "% ");
        }
        if (decoded) out.templates.push_back(std::move(working));
        if (!keepGoing) break;
    }
}

}  // namespace teds::decode
