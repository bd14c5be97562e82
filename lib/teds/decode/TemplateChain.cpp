#include "teds/decode/TemplateChain.hpp"

#include "teds/tdl/Registry.hpp"
#include "teds_chain_format.hpp"

namespace teds::decode {
namespace {

// What stopped the chain at the descriptor that began at `descriptorBit`.
ChainEnd chainEnd(const tdl::Registry& registry, std::uint32_t selector, std::int32_t manufacturerKey,
                  const TemplateRecord& working, std::uint64_t descriptorBit) {
    ChainEnd end;
    if (selector == chain::kExtendedSelector) {
        end.stop = ChainStop::Extended;
        return end;
    }
    end.manufacturerKey = manufacturerKey;
    end.templateId = static_cast<std::uint32_t>(working.templateId);
    end.descriptorBit = descriptorBit;
    end.missingBits = working.missingBits;
    if (working.templateRef != nullptr)
        end.stop = ChainStop::TemplateFailed;
    else if (registry.idWidth(manufacturerKey) == 0)
        end.stop = ChainStop::ManufacturerUnknown;
    else
        end.stop = ChainStop::TemplateUnknown;
    return end;
}

}  // namespace

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
    return tmpl->decodeBody(in, record.values, record.store, budget);
}

void decodeTeds(const tdl::Registry& registry, const std::uint8_t* image, std::uint32_t length,
                ChainTrace* trace, DecodedTeds& out) {
    if (image == nullptr || length == 0) return;

    types::BitReader in(image, length);
    readBasicTeds(image, length, in, out.basic);

    TemplateRecord working;
    // One budget for the whole image: a template file may let a few bits
    // stand for many records, and an image may repeat such a template.
    types::DecodeBudget budget(types::DecodeBudget::limitForImage(length));
    std::int32_t lastKey = 0;  // the manufacturer key of the last template descriptor
    // The template ID and body of one descriptor, and how many of their bits
    // the image did not have.
    const auto decodeBodyFor = [&](std::int32_t manufacturerKey) {
        lastKey = manufacturerKey;
        const std::uint64_t pastEndBefore = in.bitsPastEnd();
        working.idBit = in.position();
        const bool decoded = decodeTemplate(registry, in, manufacturerKey, working, budget);
        working.missingBits = in.bitsPastEnd() - pastEndBefore;
        working.endBit = in.position();
        return decoded;
    };
    bool keepGoing = true;
    while (in.hasMore()) {
        const std::uint64_t descriptorBit = in.position();
        const auto selector = static_cast<std::uint32_t>(in.readBits(chain::kSelectorBits));
        working.reset();
        TraceStep step;
        step.selector = selector;

        bool decoded = false;
        switch (selector) {
        case chain::kIeeeSelector:
            keepGoing = decoded = decodeBodyFor(0);
            break;
        case chain::kManufacturerSelector:
            keepGoing = decoded = decodeBodyFor(out.basic.manufacturerId);
            break;
        case chain::kUserSelector: {
            const UserDescriptor user = mapUserDescriptor(static_cast<std::uint32_t>(in.readBits(chain::kUserFieldBits)));
            step.user = user;
            // Other use codes carry no template body: the next selector follows.
            if (user.useCode == UseCode::OtherManufacturer) keepGoing = decoded = decodeBodyFor(user.manufacturer);
            break;
        }
        default: {
            step.extendedBit = in.readBit();
            keepGoing = false;
            break;
        }
        }

        if (trace) {
            if (selector == chain::kIeeeSelector || selector == chain::kManufacturerSelector) step.record = working;
            trace->steps.push_back(std::move(step));
        }
        if (!keepGoing) out.end = chainEnd(registry, selector, lastKey, working, descriptorBit);
        if (decoded) out.templates.push_back(std::move(working));
        if (!keepGoing) break;
    }
}

}  // namespace teds::decode
