#pragma once
// Reads the JSON document tedsdump --json writes back into the values of
// an image to be written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds/encode/StatedTeds.hpp"
#include "teds_container.hpp"

namespace teds::api::document {

struct DocumentOrError {
    teds::encode::StatedTeds teds;
    std::optional<teds::container::Format> container;  // the document's "container"
    // From "hexDigits": the case of hex digits and, for a dump, that it was hex text.
    teds::container::TextStyle style;
    std::vector<std::string> problems;                 // one line each; empty on success

    bool ok() const { return problems.empty(); }
};

// The document is read strictly: every key must be one of the form
// tedsdump --json writes, of its type and in its range, and a key that
// does not say how the image is written must still be of its type. Values
// are taken as a person reads them: numbers and texts as they stand, dates
// by their YYYY-MM-DD (by "days" when that is null), enumerations by index,
// or by "text" when the index is null; a NaN or an infinity by the "text"
// beside its null value. A document without "hexDigits" is written in the
// default style: lower-case hex, a dump as raw bytes.
//
// A document larger than kMaxDocumentBytes, or nested deeper than
// kMaxDocumentNesting, is refused before its values are looked at.
DocumentOrError readDocument(std::string_view json);

}  // namespace teds::api::document
