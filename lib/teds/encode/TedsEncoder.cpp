#include "teds/encode/TedsEncoder.hpp"

#include "teds/encode/BasicTedsWriter.hpp"
#include "teds/encode/BitText.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds/encode/ReadBack.hpp"
#include "teds/encode/RecordBuilder.hpp"
#include "teds_chain_format.hpp"

namespace teds::encode {
namespace {

std::string templateName(const StatedTemplate& stated) {
    std::string name = "template " + std::to_string(stated.templateId);
    if (stated.manufacturerKey != 0) name += " of manufacturer " + std::to_string(stated.manufacturerKey);
    return name;
}

// The descriptor decoding reads as `manufacturerKey`: the IEEE or the
// image's own manufacturer selector, else a user descriptor naming it.
bool writeDescriptor(types::BitWriter& out, std::int32_t manufacturerKey, const decode::BasicTeds& basic) {
    if (manufacturerKey == 0) return out.writeBits(chain::kSelectorBits, chain::kIeeeSelector);
    if (manufacturerKey == basic.manufacturerId) return out.writeBits(chain::kSelectorBits, chain::kManufacturerSelector);
    if (manufacturerKey < chain::kFirstOtherManufacturer || manufacturerKey > chain::kLastOtherManufacturer) return false;
    return out.writeBits(chain::kSelectorBits, chain::kUserSelector) &&
           out.writeBits(chain::kUserFieldBits, static_cast<std::uint32_t>(manufacturerKey));
}

std::string outgrownText(const types::BitWriter& out) {
    return "the image would be larger than " + std::to_string(out.maxBytes()) +
           " bytes, the largest that is written or read";
}

bool allZero(const std::string& bits) { return bits.find('1') == std::string::npos; }

// The image of the first `bitCount` bits written, the rest of the last byte 0.
container::Image imageOf(const types::BitWriter& out, std::uint64_t bitCount) {
    container::Image image;
    image.bytes.assign(out.bytes().begin(), out.bytes().begin() + static_cast<std::ptrdiff_t>((bitCount + 7) / 8));
    if (bitCount % 8 != 0) image.bytes.back() &= static_cast<std::uint8_t>((1u << (bitCount % 8)) - 1u);
    image.bitCount = static_cast<std::uint32_t>(bitCount);
    return image;
}

bool sameBits(const container::Image& a, const container::Image& b, std::uint64_t& firstDifference) {
    const std::uint64_t common = std::min(a.bitCount, b.bitCount);
    const std::string x = bitTextOf(a.bytes, 0, common), y = bitTextOf(b.bytes, 0, common);
    firstDifference = common;
    for (std::uint64_t i = 0; i < common; ++i)
        if (x[static_cast<std::size_t>(i)] != y[static_cast<std::size_t>(i)]) {
            firstDifference = i;
            break;
        }
    return firstDifference == common && a.bitCount == b.bitCount;
}

// Some values do not come back bit for bit (a signalling NaN in a Single
// is quieted when it is widened to a double); an encode that should give
// back its original says so rather than hand out other bits.
void refuseUnlessOriginal(Encoded& encoded, const container::Image& original, const char* consequence) {
    std::uint64_t difference = 0;
    if (!encoded.ok() || sameBits(encoded.image, original, difference)) return;
    encoded.report.addProblem("the image does not encode back to its own bits (they part at bit " +
                                      std::to_string(difference) + ")" + consequence);
    encoded.image = {};
}

}  // namespace

Encoded encodeStated(const tdl::Registry& registry, const StatedTeds& stated, const std::vector<Setting>& settings,
                     const EncodeOptions& options) {
    Encoded result;
    EncodeReport& report = result.report;
    // No larger image than a reader takes back.
    types::BitWriter out(static_cast<std::uint32_t>(container::kMaxImageBytes));
    writeBasicTeds(out, stated.basic, report.problems);

    std::vector<bool> used(settings.size(), false);
    RecordBuilder builder(settings, used, options, result.report);
    std::vector<decode::TemplateRecord> written;
    for (const StatedTemplate& tmpl : stated.templates) {
        const std::string name = templateName(tmpl);
        const tdl::Template* found = registry.find(tmpl.manufacturerKey, tmpl.templateId);
        if (found == nullptr) {
            report.addProblem(name + " is not among the loaded templates");
            continue;
        }
        if (tmpl.descriptorBits && !isBitText(*tmpl.descriptorBits)) {
            report.addProblem(name + ": its descriptor bits are not a text of 0s and 1s");
            continue;
        }
        if (tmpl.descriptorBits ? !writeBitText(out, *tmpl.descriptorBits)
                                : !writeDescriptor(out, tmpl.manufacturerKey, stated.basic)) {
            if (out.outgrown()) break;
            report.addProblem(name + ": the image's chain has no descriptor for manufacturer " +
                               std::to_string(tmpl.manufacturerKey));
            continue;
        }
        if (found->idWidth < 32 && (tmpl.templateId >> found->idWidth) != 0) {
            report.addProblem(name + ": its ID does not fit the " + std::to_string(found->idWidth) + "-bit ID field");
            continue;
        }
        out.writeBits(found->idWidth, tmpl.templateId);
        decode::TemplateRecord& record = written.emplace_back();
        // The ID as the chain reads it, in a signed field of the same 32 bits.
        record.begin(tmpl.manufacturerKey, static_cast<std::int32_t>(tmpl.templateId), found);
        if (!builder.build(*found, tmpl, record.values, record.store)) continue;
        if (std::string error; !found->encodeBody(out, record.values, error)) {
            // What could not be written past the limit says nothing more.
            if (out.outgrown()) break;
            report.addProblem(name + ": " + error);
        }
    }
    for (std::size_t s = 0; s < settings.size() && !out.outgrown(); ++s) {
        if (used[s]) continue;
        bool declared = false;
        for (const StatedTemplate& tmpl : stated.templates)
            if (const tdl::Template* found = registry.find(tmpl.manufacturerKey, tmpl.templateId))
                declared = declared || RecordBuilder::declares(found->body, settings[s].name);
        report.addProblem(settings[s].name + (declared ? ": not written, its select case is not the one chosen"
                                                        : ": no template of the image has a property of this name"));
    }
    if (out.outgrown()) report.addProblem(outgrownText(out));
    if (!result.ok()) return result;

    if (stated.trailingBits && !isBitText(*stated.trailingBits)) {
        report.addProblem("the bits after the last template are not a text of 0s and 1s");
        return result;
    }
    // Without the bits that followed the last template, the chain is closed
    // as real sensors close it.
    if (stated.trailingBits ? !writeBitText(out, *stated.trailingBits) : !out.writeBits(chain::kSelectorBits, chain::kExtendedSelector)) {
        report.addProblem(outgrownText(out));
        return result;
    }
    // The last template ran past the end of the image it came from: those
    // bits read as zeros and are left out again, unless something else now stands there.
    std::uint64_t bitCount = out.position();
    if (stated.trailingBits && stated.trailingBits->empty() && stated.bitsPastEnd > 0) {
        const std::uint64_t cut = std::min(stated.bitsPastEnd, bitCount);
        if (!allZero(bitTextOf(out.bytes(), bitCount - cut, bitCount))) {
            report.addProblem("the image ends " + std::to_string(cut) +
                               " bits before its last template does, and those bits are no longer all 0");
            return result;
        }
        bitCount -= cut;
    }
    container::Image image = imageOf(out, bitCount);
    if (const std::string difference = readBackDifference(registry, image, stated.basic, written); !difference.empty()) {
        report.addProblem("the image written does not read back as given: " + difference);
        return result;
    }
    result.image = std::move(image);
    return result;
}

Encoded encodeTeds(const tdl::Registry& registry, const decode::DecodedTeds& teds, const container::Image& original) {
    Encoded same = encodeStated(registry, statedFromDecoded(teds, layoutOf(teds, original)), {});
    refuseUnlessOriginal(same, original, "");
    return same;
}

Encoded editTeds(const tdl::Registry& registry, const decode::DecodedTeds& teds, const container::Image& original,
                 const std::vector<Setting>& settings, const EncodeOptions& options) {
    const StatedTeds stated = statedFromDecoded(teds, layoutOf(teds, original));
    Encoded unchanged = encodeStated(registry, stated, {}, options);
    refuseUnlessOriginal(unchanged, original, ", so an edit would change more than it asks");
    if (!unchanged.ok() || settings.empty()) return unchanged;
    return encodeStated(registry, stated, settings, options);
}

}  // namespace teds::encode
