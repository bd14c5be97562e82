#include "JsonInput.hpp"

#include <limits>

#include "DocumentFields.hpp"
#include "DocumentLimits.hpp"
#include "JsonParse.hpp"
#include "PropertyInput.hpp"
#include "teds/decode/BasicTeds.hpp"
#include "teds/types/Chr5.hpp"

namespace teds::api::document {
namespace {

using Json = nlohmann::json;
using teds::container::Format;
using teds::decode::BasicTedsLayout;

constexpr std::uint64_t kMostUint32 = std::numeric_limits<std::uint32_t>::max();

std::uint64_t largestOf(std::uint32_t bits) { return (std::uint64_t{1} << bits) - 1; }

// "raw", "hex", ... as the refusal of an unknown container lists them.
std::string formatNames() {
    std::string names;
    for (auto f = static_cast<int>(Format::Raw); f <= static_cast<int>(Format::Bits); ++f)
        names += (names.empty() ? "\"" : ", \"") + std::string(teds::container::formatName(static_cast<Format>(f))) + '"';
    return names;
}

bool isChr5(char c) { return teds::types::chr5ToChar(teds::types::charToChr5(c)) == c; }

class DocumentReader {
public:
    DocumentReader(DocumentOrError& result, Problems& problems) : result_(result), problems_(problems) {}

    void read(const Json& document) {
        const Where top;
        DocumentFields fields(document, top, problems_, "an object of the form tedsdump --json writes");
        fields.allowOnly({"file", "container", "hexDigits", "eepromPages", "basic", "templates", "trailingBits",
                          "bitsPastEnd", "problems"});
        // Where the image was read from and what a check found: nothing of
        // them is written back.
        fields.informational("file", Json::value_t::string, "a text");
        fields.informational("problems", Json::value_t::array, "a list");
        if (const auto name = fields.text("container", Need::Required)) {
            result_.container = teds::container::formatFromName(*name);
            if (!result_.container)
                fields.problem("container", "must be one of " + formatNames() + ", not " + textExcerpt(*name));
        }
        if (const auto spelt = fields.oneOf("hexDigits", {"upper", "lower"}, Need::Nullable)) {
            result_.style.upperCase = *spelt == "upper";
            // Only a dump has the choice of being hex text at all.
            result_.style.hexText = result_.container == Format::Eeprom;
        }
        if (const auto pages = fields.whole("eepromPages", 1, teds::container::kMostEepromPages, Need::Nullable))
            result_.style.pages = static_cast<std::uint32_t>(*pages);
        if (const Json* basic = fields.find("basic", Need::Required)) readBasic(*basic, top.at("basic"));
        if (const Json* templates = fields.list("templates", Need::Required)) {
            const Where at = top.at("templates");
            auto& out = result_.teds.templates;
            for (std::size_t i = 0; i < templates->size() && !problems_.full(); ++i)
                readTemplate((*templates)[i], at.at(i), out.emplace_back());
        }
        result_.teds.trailingBits = fields.bits("trailingBits", Need::Optional);
        result_.teds.bitsPastEnd =
            fields.whole("bitsPastEnd", 0, std::numeric_limits<std::uint64_t>::max(), Need::Optional).value_or(0);
    }

private:
    void readBasic(const Json& value, const Where& where) {
        DocumentFields fields(value, where, problems_, "an object");
        fields.allowOnly({"format", "manufacturerId", "modelNumber", "versionLetter", "versionNumber", "serialNumber"});
        teds::decode::BasicTeds& out = result_.teds.basic;
        const auto format = fields.whole("format", 1, 2, Need::Required);
        out.format = format ? static_cast<BasicTedsLayout>(*format) : BasicTedsLayout::Standard;
        // Each field as wide as the layout has it.
        const teds::decode::BasicTedsWidths widths = teds::decode::basicTedsWidths(out.format);
        const auto field = [&](const char* key, std::uint32_t width, std::int32_t& into) {
            into = static_cast<std::int32_t>(fields.whole(key, 0, largestOf(width), Need::Required).value_or(0));
        };
        field("manufacturerId", widths.manufacturer, out.manufacturerId);
        field("modelNumber", widths.model, out.modelNumber);
        field("versionNumber", widths.version, out.versionNumber);
        field("serialNumber", widths.serial, out.serialNumber);
        if (const auto letter = fields.text("versionLetter", Need::Required)) {
            if (letter->size() == 1 && isChr5((*letter)[0]))
                out.versionLetter = (*letter)[0];
            else
                fields.problem("versionLetter", "must be one 5-bit character (space, A to Z, comma, period, /, _ or @), "
                                                "not " + textExcerpt(*letter));
        }
    }

    void readTemplate(const Json& value, const Where& where, teds::encode::StatedTemplate& out) {
        DocumentFields fields(value, where, problems_, "a template");
        fields.allowOnly({"manufacturerKey", "templateId", "name", "truncated", "missingBits", "properties", "selectCases",
                          "descriptorBits", "scale"});
        // 0 for the IEEE's templates; otherwise a manufacturer ID, of the
        // Basic TEDS or of a user descriptor, both 14 bits wide.
        const std::uint64_t mostKey = largestOf(teds::decode::basicTedsWidths(BasicTedsLayout::Standard).manufacturer);
        const auto key = fields.whole("manufacturerKey", 0, mostKey, Need::Required);
        const auto id = fields.whole("templateId", 0, kMostUint32, Need::Required);
        out.manufacturerKey = static_cast<std::int32_t>(key.value_or(0));
        out.templateId = static_cast<std::uint32_t>(id.value_or(0));
        fields.informational("name", Json::value_t::string, "a text");
        fields.informational("truncated", Json::value_t::boolean, "true or false");
        fields.informational("missingBits", Json::value_t::number_unsigned, "a whole number");
        // What the template's scale was when the document was written; the
        // values decide it, so nothing of it is written back.
        fields.informational("scale", Json::value_t::object, "an object");
        if (const Json* properties = fields.list("properties", Need::Required))
            readProperties(*properties, where.at("properties"), problems_, out.values);
        if (const Json* cases = fields.list("selectCases", Need::Optional)) {
            for (std::size_t i = 0; i < cases->size(); ++i) {
                // The selector's whole raw number, which a field of up to 64 bits holds.
                const auto n = wholeNumber((*cases)[i]);
                if (!n) {
                    problems_.add(where.at("selectCases").at(i),
                                  "must be " + wholeRange(0, std::numeric_limits<std::uint64_t>::max()) + ", not " +
                                      excerpt((*cases)[i]));
                    break;
                }
                out.selectCases.push_back(*n);
            }
        }
        out.descriptorBits = fields.bits("descriptorBits", Need::Optional);
    }

    DocumentOrError& result_;
    Problems& problems_;
};

}  // namespace

DocumentOrError readDocument(std::string_view json) {
    DocumentOrError result;
    if (json.size() > kMaxDocumentBytes) {
        result.problems.push_back("the document is " + std::to_string(json.size()) + " bytes, more than the " +
                                  std::to_string(kMaxDocumentBytes) + " a document may have");
        return result;
    }
    const JsonOrError parsed = parseJson(json);
    if (!parsed.ok()) {
        result.problems.push_back(parsed.error);
        return result;
    }
    Problems problems(result.problems);
    DocumentReader(result, problems).read(parsed.value);
    problems.finish();
    return result;
}

}  // namespace teds::api::document
