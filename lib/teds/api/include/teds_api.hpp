#pragma once
// Reading and writing TEDS images from C++: load template files, decode an
// image against them, read its properties, set some of them by name and
// encode the image again. Whatever is encoded is decoded again and must give
// back what was stated; otherwise no image comes back, and the report says
// why. Errors are values; only running out of memory throws.
//
// One object may be used by many threads at once as long as none of them
// changes it: loading templates and setting properties are changes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds_container.hpp"
#include "teds_encoding.hpp"

namespace teds::api {

using Access = teds::Access;
using EncodeOptions = encode::EncodeOptions;
using Report = encode::EncodeReport;
using Encoded = encode::Encoded;

struct TemplateStore;

// The templates images are decoded and encoded against. Loading adds to
// them; a template is never replaced or removed once loaded.
class Templates {
public:
    Templates();
    ~Templates();
    Templates(Templates&&) noexcept;
    Templates& operator=(Templates&&) noexcept;

    // The number of templates the file or text added. What was refused, and
    // why, is in diagnostics(); a file that cannot be read adds none.
    std::int32_t loadFile(const std::string& path);
    std::int32_t loadText(std::string_view text, const std::string& sourceName = "<text>");

    // Every load's diagnostics so far, one line each, in the order they arose.
    std::vector<std::string> diagnostics() const;

private:
    friend class Teds;
    friend class Document;
    TemplateStore& store();

    std::shared_ptr<TemplateStore> store_;
};

// One value of a decoded image.
struct Property {
    std::uint32_t templateIndex = 0;  // which template of the image's chain, from 0
    // As Teds::set takes it: ARRAY[i].NAME for a value inside an element of
    // a struct array.
    std::string name;
    // As Teds::set takes it back: reals in the shortest text that reads back
    // exactly, dates as YYYY-MM-DD, enumerations by their text, "none" for
    // the all-ones "no value" pattern, a struct array by its number of
    // elements.
    std::string text;
    std::string unit;         // empty when the property has none
    std::string description;  // the template's words for it; may be empty
};

// The 64 bits every image starts with, as decoded.
struct BasicTeds {
    std::int32_t manufacturerId = 0;
    std::int32_t modelNumber = 0;
    char versionLetter = 0;
    std::int32_t versionNumber = 0;
    std::int32_t serialNumber = 0;
};

// One template of an image's chain.
struct TemplateInfo {
    std::int32_t manufacturerKey = 0;  // 0 for an IEEE standard template
    std::int32_t templateId = 0;
    std::string name;  // as the template file names it
};

struct DecodedImage;

// An image decoded against templates, and the settings to apply when it is
// encoded again. It keeps the templates it was decoded with alive: the
// Templates object may go first.
class Teds {
public:
    Teds(const Templates& templates, container::Image image);
    ~Teds();
    Teds(Teds&&) noexcept;
    Teds& operator=(Teds&&) noexcept;

    // All zero for an empty image.
    BasicTeds basic() const;
    // The templates decoded, in image order; Property::templateIndex counts
    // in this list.
    std::vector<TemplateInfo> templates() const;

    // Every named value of every template, in image order; select cases,
    // which the values decide, are not listed.
    std::vector<Property> properties() const;

    // NAME=VALUE, as text a person writes: reals in the property's unit,
    // dates as YYYY-MM-DD, enumerations by text or index, "none". A struct
    // array's name sets its number of elements, a select case's name its case.
    // Settings are checked, and applied in order, by encode().
    void set(std::string name, std::string value);

    // The image with every setting applied: with none, the image as it came,
    // bit for bit. Refused when the image does not first encode back to its
    // own bits, since an edit would then change more than it asks.
    Encoded encode(const EncodeOptions& options = {}) const;

private:
    std::unique_ptr<DecodedImage> decoded_;
};

// --- Images written from a JSON document ------------------------------------
// The document is the one tedsdump --json writes: the Basic TEDS, each
// template's values and whatever is known of the bits around them. Editing
// the document and writing an image from it is the other way of changing a
// sensor's values.

using Setting = encode::Setting;

// A document lists a value per property in a few hundred bytes of JSON; a
// real sensor's is a few kilobytes. Reading stops past this size, and a
// document that would be larger is not written.
inline constexpr std::size_t kMaxDocumentBytes = std::size_t{16} << 20;

struct StatedDocument;

// The values a document states, ready to be written against templates.
class Document {
public:
    Document();
    explicit Document(std::unique_ptr<StatedDocument> stated);
    ~Document();
    Document(Document&&) noexcept;
    Document& operator=(Document&&) noexcept;

    // The image the document states, with `settings` applied in order (as
    // Teds::set takes them), checked as Teds::encode checks its image.
    Encoded encode(const Templates& templates, const std::vector<Setting>& settings = {},
                   const EncodeOptions& options = {}) const;

private:
    std::unique_ptr<StatedDocument> stated_;
};

struct DocumentRead {
    Document document;
    std::optional<container::Format> container;  // the document's "container"
    // From "hexDigits": the case of hex digits and, for a dump, that it was hex text.
    container::TextStyle style;
    std::vector<std::string> problems;  // one line each; empty when the document was read

    bool ok() const { return problems.empty(); }
};

// The document is read strictly: every key must be one of the form
// tedsdump --json writes, of its type and in its range. Values are taken as
// a person reads them: numbers and texts as they stand, dates by their
// YYYY-MM-DD, enumerations by index or by "text". A document larger than
// kMaxDocumentBytes, or nested deeper than any template's document, is
// refused before its values are looked at.
DocumentRead readDocument(std::string_view json);

}  // namespace teds::api
