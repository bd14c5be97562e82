#pragma once
// JSON text to a value tree, with the document's limits kept while it is
// read: no deeper nesting than a document of any template has, and no key
// twice in one object (which of two values would count is anybody's guess).

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace teds::api::document {

struct JsonOrError {
    nlohmann::json value;
    std::string error;  // empty on success; one line saying where and what is wrong

    bool ok() const { return error.empty(); }
};

JsonOrError parseJson(std::string_view text);

}  // namespace teds::api::document
