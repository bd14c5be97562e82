#include "DocumentFields.hpp"

#include <algorithm>

#include "DocumentLimits.hpp"

namespace teds::api::document {

std::optional<std::uint64_t> wholeNumber(const nlohmann::json& value) {
    if (value.is_number_unsigned()) return value.get<std::uint64_t>();
    // A parser keeps only negative integers signed; -0 is the one that is whole.
    if (value.is_number_integer() && value.get<std::int64_t>() == 0) return 0;
    return std::nullopt;
}

std::string wholeRange(std::uint64_t least, std::uint64_t most) {
    return "a whole number from " + std::to_string(least) + " to " + std::to_string(most);
}

DocumentFields::DocumentFields(const Json& value, const Where& where, Problems& problems, std::string_view what)
    : where_(where), problems_(problems) {
    if (value.is_object()) object_ = &value;
    else problems_.add(where_, "must be " + std::string(what) + ", not " + excerpt(value));
}

void DocumentFields::allowOnly(std::initializer_list<std::string_view> known, std::string_view alsoKnown) {
    if (object_ == nullptr) return;
    for (const auto& [key, value] : object_->items())
        if (std::find(known.begin(), known.end(), key) == known.end() && (alsoKnown.empty() || key != alsoKnown))
            problems_.add(where_, "has the unknown key " + textExcerpt(key));
}

const DocumentFields::Json* DocumentFields::find(std::string_view key, Need need) {
    if (object_ == nullptr) return nullptr;
    const auto found = object_->find(key);
    if (found != object_->end()) return need == Need::Nullable && found->is_null() ? nullptr : &*found;
    if (need == Need::Required) problems_.add(where_.at(key), "is missing");
    return nullptr;
}

std::optional<std::uint64_t> DocumentFields::whole(std::string_view key, std::uint64_t least, std::uint64_t most,
                                                   Need need) {
    const Json* value = find(key, need);
    if (value == nullptr) return std::nullopt;
    const std::optional<std::uint64_t> number = wholeNumber(*value);
    if (!number || *number < least || *number > most) {
        refuse(key, wholeRange(least, most), *value);
        return std::nullopt;
    }
    return number;
}

const DocumentFields::Json* DocumentFields::textValue(std::string_view key, Need need, std::string_view expected) {
    const Json* value = find(key, need);
    if (value != nullptr && !value->is_string()) {
        refuse(key, expected, *value);
        return nullptr;
    }
    return value;
}

std::optional<std::string> DocumentFields::text(std::string_view key, Need need) {
    const Json* value = textValue(key, need, "a text");
    return value ? std::optional<std::string>(value->get<std::string>()) : std::nullopt;
}

std::optional<std::string> DocumentFields::oneOf(std::string_view key, std::initializer_list<std::string_view> names,
                                                 Need need) {
    const Json* value = find(key, need);
    if (value == nullptr) return std::nullopt;
    if (value->is_string()) {
        const std::string& given = value->get_ref<const std::string&>();
        if (std::find(names.begin(), names.end(), given) != names.end()) return given;
    }
    std::string expected;
    for (const std::string_view name : names) expected += (expected.empty() ? "\"" : ", \"") + std::string(name) + '"';
    refuse(key, "one of " + expected, *value);
    return std::nullopt;
}

std::optional<std::string> DocumentFields::bits(std::string_view key, Need need) {
    const Json* value = textValue(key, need, "a text of 0s and 1s");
    if (value == nullptr) return std::nullopt;
    const std::string& bits = value->get_ref<const std::string&>();
    if (const auto bad = bits.find_first_not_of("01"); bad != std::string::npos) {
        problem(key, "must be a text of 0s and 1s, not " + excerpt(*value) + " (character " + std::to_string(bad + 1) +
                         " is neither)");
        return std::nullopt;
    }
    if (bits.size() > kMaxDocumentBits) {
        problem(key, "holds " + std::to_string(bits.size()) + " bits, more than the largest image (" +
                         std::to_string(kMaxDocumentBits) + ")");
        return std::nullopt;
    }
    return bits;
}

const DocumentFields::Json* DocumentFields::list(std::string_view key, Need need) {
    const Json* value = find(key, need);
    if (value == nullptr || value->is_array()) return value;
    refuse(key, "a list", *value);
    return nullptr;
}

void DocumentFields::informational(std::string_view key, Json::value_t type, std::string_view expected, Need need) {
    const Json* value = find(key, need);
    if (value == nullptr || value->type() == type) return;
    // Whole numbers are kept as unsigned where they can be.
    if (type == Json::value_t::number_unsigned && wholeNumber(*value)) return;
    refuse(key, expected, *value);
}

void DocumentFields::refuse(std::string_view key, std::string_view expected, const Json& found) {
    problem(key, "must be " + std::string(expected) + ", not " + excerpt(found));
}

void DocumentFields::problem(std::string_view key, std::string_view text) { problems_.add(where_.at(key), text); }

}  // namespace teds::api::document
