#include "JsonInput.hpp"

#include <charconv>
#include <utility>

#include <nlohmann/json.hpp>

namespace tedsedit {
namespace {

using Json = nlohmann::json;
using teds::encode::StatedValue;

struct Reader {
    std::vector<std::string>& problems;

    bool problem(std::string text) {
        problems.push_back(std::move(text));
        return false;
    }

    template <class Int>
    bool integer(const Json& object, const char* key, const std::string& where, Int& into, bool required = true) {
        const auto found = object.find(key);
        if (found == object.end()) return !required || problem(where + "." + key + " is missing");
        const bool inRange = found->is_number_unsigned() ? std::in_range<Int>(found->get<std::uint64_t>())
                                                         : found->is_number_integer() && std::in_range<Int>(found->get<std::int64_t>());
        if (!inRange) return problem(where + "." + key + " is not a whole number in range");
        into = found->get<Int>();
        return true;
    }

    std::optional<std::string> text(const Json& object, const char* key, const std::string& where) {
        const auto found = object.find(key);
        if (found == object.end() || found->is_null()) return std::nullopt;
        if (!found->is_string()) {
            problem(where + "." + key + " is not a text");
            return std::nullopt;
        }
        return found->get<std::string>();
    }

    // A number as its shortest text, which reads back to the same double.
    static std::string numberText(const Json& value) {
        if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
        if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.get<double>());
        return std::string(buffer, result.ptr);
    }

    bool valueOf(const Json& property, const std::string& where, StatedValue& stated) {
        const std::string type = property.contains("type") && property["type"].is_string() ? property["type"].get<std::string>() : "";
        const Json value = property.contains("value") ? property["value"] : Json();
        if (type == "none") {
            stated.text = "none";
        } else if (type == "date" && value.is_null() && property.contains("days") && property["days"].is_number_unsigned()) {
            // Past 9999-12-31 the date has no text; the day count stands.
            std::uint64_t days = 0;
            if (!integer(property, "days", where, days)) return false;
            stated.exact = teds::types::ValueRecord{{}, teds::types::ValueKind::Date, days, nullptr};
        } else if (type == "enum" && !value.is_number()) {
            const auto name = text(property, "text", where);
            if (!name) return problem(where + " needs an index or a text");
            stated.text = *name;
        } else if (value.is_null()) {
            // A real's text names an infinity; a NaN, like any other null, is
            // written as the pattern of erased memory, which is how a Single
            // field comes to hold one.
            const auto special = type == "real" ? text(property, "text", where) : std::nullopt;
            stated.text = special && *special != "nan" ? *special : "none";
        } else if (value.is_string()) {
            stated.text = value.get<std::string>();
        } else if (value.is_number()) {
            stated.text = numberText(value);
        } else {
            return problem(where + ".value is neither a number, a text nor null");
        }
        return true;
    }

    bool properties(const Json& list, const std::string& where, std::vector<StatedValue>& out) {
        if (!list.is_array()) return problem(where + " is not a list of properties");
        bool ok = true;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Json& property = list[i];
            const std::string at = where + "[" + std::to_string(i) + "]";
            if (!property.is_object()) {
                ok = problem(at + " is not a property");
                continue;
            }
            const auto name = text(property, "name", at);
            if (!name) {
                ok = problem(at + ".name is missing");
                continue;
            }
            StatedValue& stated = out.emplace_back();
            stated.name = *name;
            const std::string named = at + " (" + *name + ")";
            if (const auto elements = property.find("elements"); elements != property.end()) {
                if (!elements->is_array()) {
                    ok = problem(named + ".elements is not a list");
                    continue;
                }
                auto& list = stated.elements.emplace();
                for (std::size_t e = 0; e < elements->size(); ++e)
                    ok = properties((*elements)[e], named + ".elements[" + std::to_string(e) + "]", list.emplace_back()) && ok;
            } else {
                ok = valueOf(property, named, stated) && ok;
            }
        }
        return ok;
    }

    void basic(const Json& object, teds::decode::BasicTeds& out) {
        if (!object.is_object()) {
            problem("basic is missing");
            return;
        }
        std::int32_t format = static_cast<std::int32_t>(teds::decode::BasicTedsLayout::Standard);
        integer(object, "format", "basic", format, false);
        out.format = static_cast<teds::decode::BasicTedsLayout>(format);
        integer(object, "manufacturerId", "basic", out.manufacturerId);
        integer(object, "modelNumber", "basic", out.modelNumber);
        integer(object, "versionNumber", "basic", out.versionNumber);
        integer(object, "serialNumber", "basic", out.serialNumber);
        const auto letter = text(object, "versionLetter", "basic");
        if (!letter || letter->size() != 1)
            problem("basic.versionLetter must be one character");
        else
            out.versionLetter = (*letter)[0];
    }

    void templateOf(const Json& object, const std::string& where, teds::encode::StatedTemplate& out) {
        if (!object.is_object()) {
            problem(where + " is not a template");
            return;
        }
        integer(object, "manufacturerKey", where, out.manufacturerKey, false);
        integer(object, "templateId", where, out.templateId);
        if (!object.contains("properties")) problem(where + ".properties is missing");
        else properties(object["properties"], where + ".properties", out.values);
        if (const auto cases = object.find("selectCases"); cases != object.end()) {
            for (const Json& c : *cases) {
                if (!c.is_number_unsigned() || c.get<std::uint64_t>() > 0xFFFFFFFFu) {
                    problem(where + ".selectCases holds something other than case numbers");
                    break;
                }
                out.selectCases.push_back(c.get<std::uint32_t>());
            }
        }
        out.descriptorBits = text(object, "descriptorBits", where);
    }
};

}  // namespace

DocumentOrError readDocument(std::string_view json) {
    DocumentOrError result;
    const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        result.problems.push_back("is not a JSON document of the form tedsdump --json writes");
        return result;
    }
    Reader reader{result.problems};
    if (const auto container = reader.text(document, "container", "document"))
        result.container = teds::container::formatFromName(*container);
    if (const auto digits = reader.text(document, "hexDigits", "document")) {
        if (*digits != "upper" && *digits != "lower") reader.problem("document.hexDigits is neither \"upper\", \"lower\" nor null");
        result.style.upperCase = *digits == "upper";
        // Only a dump has the choice of being hex text at all.
        result.style.hexText = result.container == teds::container::Format::Eeprom;
    }
    if (document.contains("eepromPages") && !document["eepromPages"].is_null() &&
        reader.integer(document, "eepromPages", "document", result.style.pages) &&
        result.style.pages > teds::container::kMostEepromPages)
        reader.problem("document.eepromPages is more than a dump holds (" +
                       std::to_string(teds::container::kMostEepromPages) + ")");
    reader.basic(document.contains("basic") ? document["basic"] : Json(), result.teds.basic);
    const Json templates = document.contains("templates") ? document["templates"] : Json();
    if (!templates.is_array()) reader.problem("templates is missing");
    else
        for (std::size_t i = 0; i < templates.size(); ++i)
            reader.templateOf(templates[i], "templates[" + std::to_string(i) + "]", result.teds.templates.emplace_back());
    result.teds.trailingBits = reader.text(document, "trailingBits", "document");
    reader.integer(document, "bitsPastEnd", "document", result.teds.bitsPastEnd, false);
    return result;
}

}  // namespace tedsedit
