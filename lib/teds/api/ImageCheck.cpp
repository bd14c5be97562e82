// What a check of an image finds: a template cut short, a template left
// undecoded where the chain stopped, a calibration overdue, a sensor that is
// not the one expected.

#include <array>

#include "teds/api/DecodedImage.hpp"
#include "teds/encode/FieldValue.hpp"
#include "teds/tdl/Template.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

using decode::ChainEnd;
using decode::ChainStop;

// Day counts beyond this compare wrongly with a signed today.
constexpr std::uint64_t kLatestDay = std::uint64_t{1} << 62;

std::string bitsText(std::uint64_t count) { return std::to_string(count) + (count == 1 ? " bit" : " bits"); }

// "template 25 (Accelerometer & Force)", "template 3 of manufacturer 17".
std::string templateText(std::int32_t manufacturerKey, std::uint32_t templateId, const tdl::Template* tmpl) {
    std::string text = "template " + std::to_string(templateId);
    if (manufacturerKey != 0) text += " of manufacturer " + std::to_string(manufacturerKey);
    if (tmpl != nullptr && !tmpl->name.empty()) text += " (" + tmpl->name + ")";
    return text;
}

ImageProblem templateProblem(ProblemKind kind, std::string text, std::int32_t manufacturerKey,
                             std::optional<std::uint32_t> templateId) {
    return ImageProblem{kind, std::move(text), manufacturerKey, templateId};
}

// Unwritten memory reads as zeros: a run of them to the end is no template.
bool zerosFrom(const container::Image& image, std::uint64_t bit) {
    const std::vector<std::uint8_t>& bytes = image.bytes;
    std::size_t byte = static_cast<std::size_t>(bit / 8);
    if (byte >= bytes.size()) return true;
    if ((bytes[byte] >> (bit % 8)) != 0) return false;
    for (++byte; byte < bytes.size(); ++byte)
        if (bytes[byte] != 0) return false;
    return true;
}

// What stopping where it did left undecoded, if anything.
std::vector<ImageProblem> stopProblems(const DecodedImage& decoded) {
    const ChainEnd& end = decoded.decoded.end;
    if (end.stop == ChainStop::ImageEnded || end.stop == ChainStop::Extended) return {};
    if (zerosFrom(decoded.image, end.descriptorBit)) return {};
    const std::uint64_t imageBits = std::uint64_t{decoded.image.bytes.size()} * 8;
    const std::string rest =
        "; decoding stopped there, at bit " + std::to_string(end.descriptorBit) + ", so the " +
        bitsText(imageBits - end.descriptorBit) + " from there to the end of the image were not decoded";
    switch (end.stop) {
    case ChainStop::ManufacturerUnknown:
        return {templateProblem(ProblemKind::UnsupportedTemplate,
                               "a template of manufacturer " + std::to_string(end.manufacturerKey) +
                                   ", none of whose templates is loaded, so its ID cannot be read" + rest,
                               end.manufacturerKey, std::nullopt)};
    case ChainStop::TemplateUnknown:
        // An ID the image ends inside is no template's: the image stops short.
        if (end.missingBits > 0)
            return {templateProblem(ProblemKind::Truncated,
                                   "the image ends " + bitsText(end.missingBits) +
                                       " before the ID of the template descriptor at bit " +
                                       std::to_string(end.descriptorBit) + " does",
                                   end.manufacturerKey, std::nullopt)};
        return {templateProblem(ProblemKind::UnsupportedTemplate,
                               templateText(end.manufacturerKey, end.templateId, nullptr) +
                                   " is in no loaded template file" + rest,
                               end.manufacturerKey, end.templateId)};
    default: {
        const tdl::Template* tmpl = decoded.templates->registry.find(end.manufacturerKey, end.templateId);
        const std::string named = templateText(end.manufacturerKey, end.templateId, tmpl);
        std::vector<ImageProblem> problems;
        // Its fields past the end read as zeros, which it may have no case for.
        if (end.missingBits > 0)
            problems.push_back(templateProblem(ProblemKind::Truncated,
                                               "the image ends " + bitsText(end.missingBits) + " before " + named +
                                                   " does",
                                               end.manufacturerKey, end.templateId));
        problems.push_back(templateProblem(ProblemKind::TemplateLeftOut,
                                           named + " is loaded, but its bits do not decode as it describes" + rest,
                                           end.manufacturerKey, end.templateId));
        return problems;
    }
    }
}

std::string dayText(std::uint64_t days) {
    return dateText(days).value_or(std::to_string(days) + " days after 1998-01-01");
}

}  // namespace

std::optional<std::int64_t> dayNumber(std::string_view text) { return encode::tedsDayOf(std::string(text)); }

std::string_view problemName(ProblemKind kind) {
    static constexpr std::array<std::string_view, 9> kNames{
        "unreadable",        "no-image",        "damaged-container", "truncated", "unsupported-template",
        "template-left-out", "calibration-due", "mismatch",          "missing"};
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index] : std::string_view("unknown");
}

ImageProblem readProblem(const ImageRead& read) {
    return ImageProblem{read.damagedDump ? ProblemKind::DamagedContainer : ProblemKind::NoImage, read.error, {}, {}};
}

std::vector<ImageProblem> mismatches(const BasicTeds& found, const ExpectedSensor& expected) {
    std::vector<ImageProblem> problems;
    const auto compare = [&](const char* field, const std::optional<std::int32_t>& want, std::int32_t have) {
        if (want && *want != have)
            problems.push_back({ProblemKind::Mismatch,
                                std::string(field) + " " + std::to_string(have) + ", expected " + std::to_string(*want),
                                {},
                                {}});
    };
    compare("manufacturer ID", expected.manufacturerId, found.manufacturerId);
    compare("model number", expected.modelNumber, found.modelNumber);
    compare("serial number", expected.serialNumber, found.serialNumber);
    return problems;
}

Calibration Teds::calibration() const {
    Calibration calibration;
    for (std::uint32_t index = 0; index < static_cast<std::uint32_t>(templateCount()); ++index) {
        const std::optional<PropertyView> date = valueNamed(index, "%CalDate");
        const auto* days = date ? std::get_if<values::Date>(&date->value) : nullptr;
        if (days == nullptr) continue;
        calibration.date = days->days;
        const std::optional<PropertyView> period = valueNamed(index, "%CalPeriod");
        // A period of 0 days states none: no sensor is due the day it is calibrated.
        if (const auto* n = period ? std::get_if<values::Unsigned>(&period->value) : nullptr; n && n->value > 0) {
            calibration.periodDays = n->value;
            // A manufacturer's template may make either field 64 bits wide.
            if (days->days <= kLatestDay && n->value <= kLatestDay - days->days) calibration.due = days->days + n->value;
        }
        break;
    }
    return calibration;
}

std::vector<ImageProblem> Teds::problems(const CheckOptions& options) const {
    std::vector<ImageProblem> problems;
    if (!decoded_) return problems;
    for (const decode::TemplateRecord& record : decoded_->decoded.templates) {
        if (record.missingBits == 0) continue;
        problems.push_back(templateProblem(
            ProblemKind::Truncated,
            "the image ends " + bitsText(record.missingBits) + " before " +
                templateText(record.manufacturerKey, static_cast<std::uint32_t>(record.templateId), record.templateRef) +
                " does; the fields there read as zeros",
            record.manufacturerKey, static_cast<std::uint32_t>(record.templateId)));
    }
    for (ImageProblem& problem : stopProblems(*decoded_)) problems.push_back(std::move(problem));
    const Calibration calibration = this->calibration();
    if (options.today && calibration.due && static_cast<std::int64_t>(*calibration.due) < *options.today)
        problems.push_back({ProblemKind::CalibrationDue,
                            "the calibration fell due on " + dayText(*calibration.due) + ": calibrated " +
                                dayText(*calibration.date) + ", every " + std::to_string(*calibration.periodDays) +
                                " days",
                            {},
                            {}});
    return problems;
}

}  // namespace teds::api
