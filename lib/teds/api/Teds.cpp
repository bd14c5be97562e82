#include <sstream>
#include <utility>

#include "teds/api/DecodedImage.hpp"
#include "teds/api/JsonOutput.hpp"
#include "teds/api/PropertyList.hpp"
#include "teds/api/TemplateViews.hpp"
#include "teds/scale/TemplateScale.hpp"
#include "teds/encode/ImageLayout.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/encode/TedsEncoder.hpp"

namespace teds::api {

Teds::Teds(const Templates& templates, container::Image image) : decoded_(std::make_unique<DecodedImage>()) {
    // Templates made by moving from another hold no store until they load.
    decoded_->templates = templates.store_ ? templates.store_ : std::make_shared<TemplateStore>();
    decoded_->image = std::move(image);
    const std::vector<std::uint8_t>& bytes = decoded_->image.bytes;
    decode::decodeTeds(decoded_->templates->registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr,
                       decoded_->decoded);
}

Teds::~Teds() = default;
Teds::Teds(Teds&&) noexcept = default;
Teds& Teds::operator=(Teds&&) noexcept = default;

BasicTeds Teds::basic() const {
    if (!decoded_) return {};
    const decode::BasicTeds& basic = decoded_->decoded.basic;
    return BasicTeds{basic.manufacturerId, basic.modelNumber, basic.versionLetter, basic.versionNumber,
                     basic.serialNumber, static_cast<std::int32_t>(basic.format)};
}

std::vector<TemplateInfo> Teds::templates() const {
    std::vector<TemplateInfo> templates;
    if (!decoded_) return templates;
    for (const decode::TemplateRecord& record : decoded_->decoded.templates) templates.push_back(infoOf(record));
    return templates;
}

std::optional<TemplateInfo> Teds::templateAt(std::uint32_t index) const {
    if (!decoded_ || index >= decoded_->decoded.templates.size()) return std::nullopt;
    return infoOf(decoded_->decoded.templates[index]);
}

std::int32_t Teds::templateCount() const {
    return decoded_ ? static_cast<std::int32_t>(decoded_->decoded.templates.size()) : 0;
}

std::vector<Property> Teds::properties() const {
    return decoded_ ? propertiesOf(decoded_->decoded) : std::vector<Property>{};
}

std::vector<TemplateView> Teds::templateViews() const {
    return decoded_ ? templateViewsOf(decoded_->decoded) : std::vector<TemplateView>{};
}

std::optional<PropertyView> Teds::valueAt(std::uint32_t templateIndex, std::uint32_t position) const {
    const types::ValueRecord* record = decoded_ ? decoded_->positions().at(templateIndex, position) : nullptr;
    if (record == nullptr) return std::nullopt;
    return viewOf(*record);
}

std::optional<PropertyView> Teds::valueNamed(std::uint32_t templateIndex, std::string_view name,
                                             std::uint32_t occurrence) const {
    const types::ValueRecord* record = decoded_ ? decoded_->names().at(templateIndex, name, occurrence) : nullptr;
    if (record == nullptr) return std::nullopt;
    return viewOf(*record);
}

std::int32_t Teds::valueCount(std::uint32_t templateIndex) const {
    if (!decoded_ || templateIndex >= decoded_->decoded.templates.size()) return 0;
    return decoded_->positions().count(templateIndex);
}

std::int32_t Teds::countNamed(std::uint32_t templateIndex, std::string_view name) const {
    if (!decoded_ || templateIndex >= decoded_->decoded.templates.size()) return 0;
    return decoded_->names().count(templateIndex, name);
}

ScaleFound Teds::scale(std::uint32_t templateIndex, const ChannelConditions& conditions) const {
    if (!decoded_ || templateIndex >= decoded_->decoded.templates.size())
        return {std::nullopt, "the image has no template " + std::to_string(templateIndex)};
    return scale::scaleOfTemplate(decoded_->decoded.templates[templateIndex], conditions);
}

// Decoded again, with the trace kept: a decode that nobody follows keeps none.
std::string Teds::trace() const {
    if (!decoded_) return {};
    const std::vector<std::uint8_t>& bytes = decoded_->image.bytes;
    decode::DecodedTeds again;
    decode::ChainTrace trace;
    decode::decodeTeds(decoded_->templates->registry, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &trace,
                       again);
    std::ostringstream text;
    decode::writeTrace(text, again.basic, trace);
    return text.str();
}

namespace {

std::string documentOf(const DecodedImage& decoded, const ImageSource& source, const DocumentOptions& options) {
    std::vector<ScaleFound> scales;
    if (options.scales != nullptr)
        for (const decode::TemplateRecord& record : decoded.decoded.templates)
            scales.push_back(scale::scaleOfTemplate(record, *options.scales));
    std::ostringstream text;
    writeJson(text, decoded.decoded, source.container, source.upperCaseHex, source.eepromPages,
              encode::layoutOf(decoded.decoded, decoded.image), options.scales != nullptr ? &scales : nullptr,
              options);
    return text.str();
}

}  // namespace

std::string Teds::document(const ImageSource& source) const { return document(source, DocumentOptions{}); }

std::string Teds::document(const ImageSource& source, const ChannelConditions& conditions) const {
    return document(source, DocumentOptions{.scales = &conditions});
}

std::string Teds::document(const ImageSource& source, const DocumentOptions& options) const {
    return decoded_ ? documentOf(*decoded_, source, options) : std::string();
}

std::string failureDocument(std::string_view error, const DocumentOptions& options) {
    std::ostringstream text;
    writeFailureJson(text, error, options);
    return text.str();
}

void Teds::set(std::string name, std::string value) {
    if (decoded_) decoded_->settings.push_back(encode::Setting{std::move(name), std::move(value)});
}

Encoded Teds::encode(const EncodeOptions& options) const {
    if (!decoded_ || decoded_->image.bytes.empty()) {
        Encoded refused;
        refused.report.addProblem(decoded_ ? "the image is empty" : "there is no image: it was moved to another object");
        return refused;
    }
    return encode::editTeds(decoded_->templates->registry, decoded_->decoded, decoded_->image, decoded_->settings,
                            options);
}

}  // namespace teds::api
