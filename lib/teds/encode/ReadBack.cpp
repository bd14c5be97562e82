#include "teds/encode/ReadBack.hpp"

#include <cmath>
#include <type_traits>

#include "teds/decode/TemplateChain.hpp"
#include "teds/types/RecordWalk.hpp"

namespace teds::encode {
namespace {

// `cutByEnd`: the template `a` was decoded from ran past the end of its
// image, where a text keeps only the characters that start inside it. A
// struct array is compared by its number of elements here; the walk
// compares what they hold.
bool sameRecord(const types::ValueRecord& a, const types::ValueRecord& b, bool cutByEnd) {
    if (a.name() != b.name() || a.property != b.property || a.value.index() != b.value.index()) return false;
    return std::visit(types::Overloaded{
                          [&](const types::TextValue& x) {
                              const std::string_view y = std::get_if<types::TextValue>(&b.value)->text;
                              return cutByEnd ? y.compare(0, x.text.size(), x.text) == 0 : x.text == y;
                          },
                          [&](const types::RealValue& x) {
                              const double y = std::get_if<types::RealValue>(&b.value)->value;
                              return x.value == y || (std::isnan(x.value) && std::isnan(y));
                          },
                          [&](const types::StructArrayValue& x) {
                              return x.elements.size() ==
                                     std::get_if<types::StructArrayValue>(&b.value)->elements.size();
                          },
                          [&](const auto& x) { return x == *std::get_if<std::decay_t<decltype(x)>>(&b.value); },
                      },
                      a.value);
}

// A tree as the walk meets it: every record, and a null where an element ends.
std::vector<const types::ValueRecord*> flattened(const std::vector<types::ValueRecord>& records) {
    struct {
        std::vector<const types::ValueRecord*> out;
        void record(const types::ValueRecord& r) { out.push_back(&r); }
        void leaveElement() { out.push_back(nullptr); }
    } visitor;
    types::walkRecords(records, types::kEveryRecord, visitor);
    return std::move(visitor.out);
}

bool sameBasic(const decode::BasicTeds& a, const decode::BasicTeds& b) {
    return a.format == b.format && a.manufacturerId == b.manufacturerId && a.modelNumber == b.modelNumber &&
           a.versionLetter == b.versionLetter && a.versionNumber == b.versionNumber && a.serialNumber == b.serialNumber;
}

}  // namespace

bool sameRecords(const std::vector<types::ValueRecord>& a, const std::vector<types::ValueRecord>& b, bool cutByEnd) {
    const std::vector<const types::ValueRecord*> x = flattened(a), y = flattened(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if ((x[i] == nullptr) != (y[i] == nullptr) || (x[i] != nullptr && !sameRecord(*x[i], *y[i], cutByEnd)))
            return false;
    return true;
}

std::string readBackDifference(const tdl::Registry& registry, const container::Image& image,
                               const decode::BasicTeds& basic, const std::vector<decode::TemplateRecord>& templates) {
    decode::DecodedTeds decoded;
    decode::decodeTeds(registry, image.bytes.data(), static_cast<std::uint32_t>(image.bytes.size()), nullptr, decoded);
    if (!sameBasic(decoded.basic, basic))
        return "its Basic TEDS reads back otherwise (a layout the first descriptor does not select?)";
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const decode::TemplateRecord& written = templates[i];
        const std::string which = "template " + std::to_string(i + 1) + " (" +
                                  std::to_string(static_cast<std::uint32_t>(written.templateId)) + ")";
        if (i >= decoded.templates.size()) return which + " is not read back";
        const decode::TemplateRecord& got = decoded.templates[i];
        if (got.manufacturerKey != written.manufacturerKey || got.templateId != written.templateId)
            return which + " reads back as template " + std::to_string(got.templateId) + " of manufacturer " +
                   std::to_string(got.manufacturerKey);
        if (!sameRecords(got.values, written.values, got.missingBits > 0))
            return which + " reads back with other values";
    }
    if (decoded.templates.size() > templates.size()) return "the bits after the last template read as a further template";
    return {};
}

}  // namespace teds::encode
