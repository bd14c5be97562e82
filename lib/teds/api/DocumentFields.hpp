#pragma once
// One object of the document, read key by key against the schema: a key is
// refused when nobody knows it, when it is missing where it is required, and
// when its value is of the wrong type or out of range. Each refusal is one
// problem, at the key it concerns.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "DocumentProblems.hpp"

namespace teds::api::document {

enum class Need {
    Required,
    Optional,
    Nullable,  // optional, and null says the same as leaving it out
};

class DocumentFields {
public:
    using Json = nlohmann::json;

    // `what` says what `value` must be when it is no object ("a property");
    // then every read gives nothing.
    DocumentFields(const Json& value, const Where& where, Problems& problems, std::string_view what);

    bool isObject() const { return object_ != nullptr; }
    const Where& where() const { return where_; }

    // Refuses each key that is neither in `known` nor `alsoKnown`: a
    // misspelt key would otherwise leave its value unread without a word.
    void allowOnly(std::initializer_list<std::string_view> known, std::string_view alsoKnown = {});

    // The key's value; none when it is absent, which is a problem when it is required.
    const Json* find(std::string_view key, Need need);

    // A whole number, written without fraction or exponent, from `least` to `most`.
    std::optional<std::uint64_t> whole(std::string_view key, std::uint64_t least, std::uint64_t most, Need need);
    std::optional<std::string> text(std::string_view key, Need need);
    // A text that is one of `names`.
    std::optional<std::string> oneOf(std::string_view key, std::initializer_list<std::string_view> names, Need need);
    // A text of 0s and 1s, no longer than an image.
    std::optional<std::string> bits(std::string_view key, Need need);
    // A list; each item is the caller's to read.
    const Json* list(std::string_view key, Need need);
    // A key tedsdump writes for a person to read: checked for its type, then left alone.
    void informational(std::string_view key, Json::value_t type, std::string_view expected, Need need = Need::Optional);

    // "<where>.<key> must be <expected>, not <excerpt of found>"
    void refuse(std::string_view key, std::string_view expected, const Json& found);
    void problem(std::string_view key, std::string_view text);

private:
    // The key's value when it is a text; null when it is absent or (refused
    // as not `expected`) of another type.
    const Json* textValue(std::string_view key, Need need, std::string_view expected);

    const Json* object_ = nullptr;
    const Where& where_;
    Problems& problems_;
};

// The value a whole number holds, when it is one (JSON keeps integers
// exactly up to 2^64 - 1; a fraction or exponent makes a number a double).
std::optional<std::uint64_t> wholeNumber(const nlohmann::json& value);

// "a whole number from 0 to 255"
std::string wholeRange(std::uint64_t least, std::uint64_t most);

}  // namespace teds::api::document
