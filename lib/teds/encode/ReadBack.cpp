#include "teds/encode/ReadBack.hpp"

#include <cmath>

#include "teds/decode/TemplateChain.hpp"

namespace teds::encode {
namespace {

// `cutByEnd`: the template `a` was decoded from ran past the end of its
// image, where a text keeps only the characters that start inside it.
bool sameRecord(const types::ValueRecord& a, const types::ValueRecord& b, bool cutByEnd) {
    if (a.name != b.name || a.kind != b.kind || a.property != b.property || a.value.which() != b.value.which())
        return false;
    if (const auto* x = boost::get<std::string>(&a.value); x != nullptr && cutByEnd)
        return boost::get<std::string>(b.value).compare(0, x->size(), *x) == 0;
    if (const auto* x = boost::get<double>(&a.value)) {
        const double y = boost::get<double>(b.value);
        return *x == y || (std::isnan(*x) && std::isnan(y));
    }
    if (const auto* x = boost::get<types::StructElements>(&a.value)) {
        const auto& y = boost::get<types::StructElements>(b.value);
        if (x->size() != y.size()) return false;
        for (std::size_t i = 0; i < x->size(); ++i)
            if (!sameRecords((*x)[i], y[i], cutByEnd)) return false;
        return true;
    }
    return a.value == b.value;
}

bool sameBasic(const decode::BasicTeds& a, const decode::BasicTeds& b) {
    return a.format == b.format && a.manufacturerId == b.manufacturerId && a.modelNumber == b.modelNumber &&
           a.versionLetter == b.versionLetter && a.versionNumber == b.versionNumber && a.serialNumber == b.serialNumber;
}

}  // namespace

bool sameRecords(const std::vector<types::ValueRecord>& a, const std::vector<types::ValueRecord>& b, bool cutByEnd) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameRecord(a[i], b[i], cutByEnd)) return false;
    return true;
}

std::string readBackDifference(const tdl::Registry& registry, const container::Image& image,
                               const decode::BasicTeds& basic, const std::vector<WrittenTemplate>& templates) {
    decode::DecodedTeds decoded;
    decode::decodeTeds(registry, image.bytes.data(), static_cast<std::uint32_t>(image.bytes.size()), nullptr, decoded);
    if (!sameBasic(decoded.basic, basic))
        return "its Basic TEDS reads back otherwise (a layout the first descriptor does not select?)";
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const std::string which = "template " + std::to_string(i + 1) + " (" + std::to_string(templates[i].templateId) + ")";
        if (i >= decoded.templates.size()) return which + " is not read back";
        const decode::TemplateRecord& got = decoded.templates[i];
        if (got.manufacturerKey != templates[i].manufacturerKey ||
            static_cast<std::uint32_t>(got.templateId) != templates[i].templateId)
            return which + " reads back as template " + std::to_string(got.templateId) + " of manufacturer " +
                   std::to_string(got.manufacturerKey);
        if (!sameRecords(got.values, templates[i].records, got.missingBits > 0))
            return which + " reads back with other values";
    }
    if (decoded.templates.size() > templates.size()) return "the bits after the last template read as a further template";
    return {};
}

}  // namespace teds::encode
