#include "PropertyInput.hpp"

#include <charconv>
#include <limits>

#include "DocumentFields.hpp"
#include "teds/encode/FieldValue.hpp"

namespace teds::api::document {
namespace {

using Json = nlohmann::json;
using teds::encode::StatedValue;
using teds::types::EnumValue;
using teds::types::ValueRecord;
using Index = decltype(EnumValue::index);

// A number as its shortest text, which reads back to the same double; whole
// numbers as their digits, exact to the last.
std::string numberText(const Json& value) {
    if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
    if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.get<double>());
    return std::string(buffer, result.ptr);
}

const std::string* nameOf(const Json& property) {
    if (!property.is_object()) return nullptr;
    const auto name = property.find("name");
    return name != property.end() && name->is_string() ? &name->get_ref<const std::string&>() : nullptr;
}

// The one key a type has beside those every property has.
std::string_view extraKey(const std::string& type) {
    if (type == "real" || type == "enum") return "text";
    if (type == "date") return "days";
    if (type == "array") return "elements";
    return {};
}

class PropertyReader {
public:
    explicit PropertyReader(Problems& problems) : problems_(problems) {}

    void list(const Json& properties, const Where& where, std::vector<StatedValue>& out) {
        for (std::size_t i = 0; i < properties.size() && !problems_.full(); ++i)
            property(properties[i], where.at(i, nameOf(properties[i])), out.emplace_back());
    }

private:
    void property(const Json& value, const Where& where, StatedValue& out) {
        DocumentFields fields(value, where, problems_, "a property");
        if (!fields.isObject()) return;
        out.name = fields.text("name", Need::Required).value_or("");
        fields.informational("unit", Json::value_t::string, "a text or null", Need::Nullable);
        fields.informational("description", Json::value_t::string, "a text");
        const auto type =
            fields.oneOf("type", {"real", "unsigned", "date", "text", "enum", "none", "array"}, Need::Required);
        if (!type) return;
        fields.allowOnly({"name", "type", "value", "unit", "description"}, extraKey(*type));
        if (*type == "real") real(fields, out);
        else if (*type == "unsigned") whole(fields, out);
        else if (*type == "date") date(fields, out);
        else if (*type == "text") text(fields, out);
        else if (*type == "enum") enumeration(fields, out);
        else if (*type == "none") none(fields, out);
        else array(fields, out);
    }

    static void real(DocumentFields& fields, StatedValue& out) {
        const Json* value = fields.find("value", Need::Required);
        if (value == nullptr) return;
        if (value->is_number()) {
            if (fields.find("text", Need::Optional) != nullptr)
                fields.problem("text", "names what a null value stands for; this value is a number");
            out.text = numberText(*value);
        } else if (value->is_null()) {
            // JSON has no NaN or infinity. A NaN is written as the pattern
            // of erased memory, which is how a Single field comes to hold one.
            if (const auto special = fields.oneOf("text", {"nan", "inf", "-inf"}, Need::Required))
                out.text = *special == "nan" ? "none" : *special;
        } else {
            fields.refuse("value", "a number, or null with a text of nan, inf or -inf", *value);
        }
    }

    static void whole(DocumentFields& fields, StatedValue& out) {
        if (const auto n = fields.whole("value", 0, std::numeric_limits<std::uint64_t>::max(), Need::Required))
            out.text = std::to_string(*n);
    }

    static void date(DocumentFields& fields, StatedValue& out) {
        const Json* value = fields.find("value", Need::Required);
        const bool byDays = value != nullptr && value->is_null();
        // Past 9999-12-31 a date has no text; its day count stands for it.
        const auto days =
            fields.whole("days", 0, std::numeric_limits<std::uint64_t>::max(), byDays ? Need::Required : Need::Optional);
        if (value == nullptr) return;
        if (value->is_string() && teds::encode::tedsDayOf(value->get<std::string>()))
            out.text = value->get<std::string>();
        else if (byDays && days)
            out.exact = ValueRecord{teds::types::DateValue{*days}, nullptr};
        else if (!byDays)
            fields.refuse("value", "a date YYYY-MM-DD, or null with its days", *value);
    }

    static void text(DocumentFields& fields, StatedValue& out) {
        if (auto value = fields.text("value", Need::Required)) out.text = std::move(*value);
    }

    static void enumeration(DocumentFields& fields, StatedValue& out) {
        const Json* value = fields.find("value", Need::Required);
        const bool byText = value != nullptr && value->is_null();
        auto text = fields.text("text", byText ? Need::Required : Need::Optional);
        if (value == nullptr) return;
        // An index is taken as the index even where an entry's text is a number.
        if (const auto index = wholeNumber(*value); index && *index <= std::numeric_limits<Index>::max())
            out.exact = ValueRecord{EnumValue{static_cast<Index>(*index), {}}, nullptr};
        else if (byText && text)
            out.text = std::move(*text);
        else if (!byText)
            fields.refuse("value", "an index from 0 to " + std::to_string(std::numeric_limits<Index>::max()) +
                                       ", or null with a text",
                          *value);
    }

    static void none(DocumentFields& fields, StatedValue& out) {
        const Json* value = fields.find("value", Need::Required);
        if (value != nullptr && !value->is_null()) fields.refuse("value", "null (no value)", *value);
        out.text = "none";
    }

    void array(DocumentFields& fields, StatedValue& out) {
        // An array's values are in its elements.
        const Json* value = fields.find("value", Need::Optional);
        if (value != nullptr && !value->is_null()) fields.refuse("value", "null or absent", *value);
        const Json* elements = fields.list("elements", Need::Required);
        if (elements == nullptr) return;
        const Where at = fields.where().at("elements");
        auto& stated = out.elements.emplace();
        for (std::size_t i = 0; i < elements->size() && !problems_.full(); ++i) {
            const Json& element = (*elements)[i];
            if (element.is_array()) list(element, at.at(i), stated.emplace_back());
            else problems_.add(at.at(i), "must be a list of properties, not " + excerpt(element));
        }
    }

    Problems& problems_;
};

}  // namespace

void readProperties(const Json& properties, const Where& where, Problems& problems, std::vector<StatedValue>& out) {
    PropertyReader(problems).list(properties, where, out);
}

}  // namespace teds::api::document
