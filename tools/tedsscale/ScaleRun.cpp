#include "ScaleRun.hpp"

#include <charconv>

#include "ChannelOptions.hpp"
#include "EscapeControls.hpp"
#include "ImageInput.hpp"
#include "ScaleOptions.hpp"
#include "TemplateLoading.hpp"
#include "ValueLines.hpp"
#include "teds_api.hpp"

namespace tedsscale {
namespace {

using teds::api::ScaleFound;

// How messages name a template: "template 0 (30, Voltage Output)".
std::string templateText(const teds::api::Teds& teds, std::uint32_t index) {
    const auto info = teds.templateAt(index);
    std::string text = "template " + std::to_string(index);
    if (info) text += " (" + std::to_string(info->templateId) + (info->name.empty() ? "" : ", " + info->name) + ")";
    return text;
}

// The scale asked for, or the first one the image gives; the reason for
// none goes to `err`.
std::optional<teds::api::Scale> chooseScale(const teds::api::Teds& teds, const Options& options, std::ostream& err) {
    const std::string source = teds_tools::sourceName(options.imagePath);
    const auto count = static_cast<std::uint32_t>(teds.templateCount());
    if (options.templateIndex) {
        const std::uint32_t index = *options.templateIndex;
        if (index >= count) {
            err << "tedsscale: " << source << " decodes " << count << (count == 1 ? " template" : " templates")
                << ", so there is no template " << index << " (--template counts from 0)\n";
            return std::nullopt;
        }
        ScaleFound found = teds.scale(index, options.conditions);
        if (!found.scale) err << "tedsscale: " << source << ' ' << templateText(teds, index) << " gives no scale: "
                              << found.reason << '\n';
        return std::move(found.scale);
    }
    std::string reasons;
    for (std::uint32_t index = 0; index < count; ++index) {
        ScaleFound found = teds.scale(index, options.conditions);
        if (found.scale) return std::move(found.scale);
        reasons += (index == 0 ? ": " : "; ") + templateText(teds, index) + ": " + found.reason;
    }
    if (count == 0)
        err << "tedsscale: " << source << " decodes no template, so it gives no scale (tedsdump --trace shows why)\n";
    else
        err << "tedsscale: " << source << " gives no scale" << reasons << '\n';
    return std::nullopt;
}

// Converts values one by one into a buffer written out in large blocks; a
// value that is not converted is printed as nan and its reason kept beside
// it, written out with the values.
class Converter {
public:
    Converter(const teds::api::Scale& scale, bool inverse, std::ostream& out, std::ostream& err)
        : scale_(scale), inverse_(inverse), out_(out), err_(err) {
        text_.reserve(kFlushBytes + 64);
    }

    void convert(std::string_view value) {
        const auto number = teds_tools::numberFrom(value);
        if (!number) return refuse(value, "not a number");
        const teds::scale::Conversion done = inverse_ ? scale_.toElectrical(*number) : scale_.toPhysical(*number);
        if (!done.ok()) return refuse(value, done.refusal);
        char digits[64];
        text_.append(digits, std::to_chars(digits, digits + sizeof digits, done.value).ptr);
        text_ += '\n';
        if (text_.size() >= kFlushBytes) flush();
    }

    bool anyRefused() const { return refused_; }

    void flush() {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
        err_.write(reasons_.data(), static_cast<std::streamsize>(reasons_.size()));
        reasons_.clear();
    }

    void refuse(std::string_view value, std::string_view reason) {
        refused_ = true;
        text_ += "nan\n";
        std::string shown = value.empty() ? "(empty)" : teds_tools::escapeControls(value.substr(0, kShownBytes));
        if (value.size() > kShownBytes) shown += "...";
        // Standard error writes through at once; a file of bad values would
        // cost a system call per piece of each line.
        reasons_.append("tedsscale: ").append(shown).append(": ").append(reason) += '\n';
        if (reasons_.size() >= kFlushBytes) flush();
    }

private:
    static constexpr std::size_t kFlushBytes = std::size_t{64} << 10;
    // Enough of a value to recognise it by in a message.
    static constexpr std::size_t kShownBytes = 40;

    const teds::api::Scale& scale_;
    const bool inverse_;
    std::ostream& out_;
    std::ostream& err_;
    std::string text_;
    std::string reasons_;
    bool refused_ = false;
};

void convertLines(std::istream& in, const std::optional<std::size_t>& column, Converter& converter) {
    LineReader lines(in);
    bool first = true;
    while (const auto line = lines.next()) {
        if (trimmed(*line).empty()) continue;
        const auto field = column ? fieldOf(*line, *column) : trimmed(*line);
        // A CSV file's first line may name its columns.
        const bool header = first && column && !(field && teds_tools::numberFrom(*field));
        first = false;
        if (header) continue;
        if (field)
            converter.convert(*field);
        else
            converter.refuse(*line, "the line has no field " + std::to_string(*column));
    }
}

}  // namespace

int runTedsscale(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.ok()) {
        err << "tedsscale: " << parsed.error << " (tedsscale --help shows the usage)\n";
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help) {
        out << usageText();
        return kExitConverted;
    }

    teds::api::Templates templates;
    if (!teds_tools::loadTemplates(options.tdlFiles, templates, err, "tedsscale")) return kExitUsage;
    const teds_tools::ImageOrError image = teds_tools::readImageAt(options.imagePath, std::nullopt, in);
    if (!image.ok()) {
        err << "tedsscale: " << teds_tools::sourceName(options.imagePath) << ' ' << image.error << '\n';
        return kExitUsage;
    }
    const teds::api::Teds teds(templates, image.image);
    const std::optional<teds::api::Scale> scale = chooseScale(teds, options, err);
    if (!scale) return kExitUsage;

    Converter converter(*scale, options.inverse, out, err);
    if (options.values.empty())
        convertLines(in, options.column, converter);
    else
        for (const std::string& value : options.values) converter.convert(value);
    converter.flush();
    if (!out) {
        err << "tedsscale: standard output could not be written\n";
        return kExitUsage;
    }
    return converter.anyRefused() ? kExitSomeRefused : kExitConverted;
}

}  // namespace tedsscale
