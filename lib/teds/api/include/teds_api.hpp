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
#include <variant>
#include <vector>

#include "teds_container.hpp"
#include "teds_diagnostic.hpp"
#include "teds_encoding.hpp"
#include "teds_overloaded.hpp"
#include "teds_scale.hpp"
#include "teds_unit.hpp"

namespace teds::api {

using Access = teds::Access;
using EncodeOptions = encode::EncodeOptions;
using Report = encode::EncodeReport;
using Encoded = encode::Encoded;
using Diagnostic = teds::Diagnostic;
using DiagnosticKind = teds::DiagnosticKind;
using FileLoad = teds::FileLoad;
using Unit = teds::UnitRecord;
using UnitType = teds::UnitType;
using Scale = scale::Scale;
using ScaleFound = scale::ScaleFound;
using ChannelConditions = scale::ChannelConditions;

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
    // why, is in diagnostics(); a file that cannot be opened adds none and
    // is refused with a diagnostic of its own, also in the result.
    FileLoad loadFile(const std::string& path);
    std::int32_t loadText(std::string_view text, const std::string& sourceName = "<text>");

    // Every load's diagnostics so far, in the order they arose; text() gives
    // each one as a line.
    std::vector<Diagnostic> diagnostics() const;

    // Every template loaded, as the template file declares it, one
    // indented line per declaration.
    std::string dump() const;

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
    std::int32_t layout = 0;  // 2 standard, 1 early, 0 for an image too short to tell
};

// One template of an image's chain.
struct TemplateInfo {
    std::int32_t manufacturerKey = 0;  // 0 for an IEEE standard template
    std::int32_t templateId = 0;
    std::string name;  // as the template file names it
};

// ---------------------------------------------------------------------------
// A decoded image read whole: typed values in their templates, the decoder's
// trace, and the JSON document that states the image for writing it again.
// ---------------------------------------------------------------------------

// What a value is; the numbers are the ones programs are told.
enum class ValueKind : std::int32_t { None = 0, Text = 1, Real = 2, Unsigned = 3, Date = 4, Enumeration = 5, StructArray = 6 };

struct PropertyView;
namespace values {
struct None {};  // the field held its "no value" pattern
struct Text {
    std::string text;  // as read from the image; need not be valid UTF-8
};
struct Real {
    double value = 0.0;
};
struct Unsigned {
    std::uint64_t value = 0;
};
struct Date {
    std::uint64_t days = 0;  // since 1998-01-01
};
struct Enumeration {
    std::uint64_t index = 0;
    std::string_view text;  // the template's entry; empty when it has none for the index
};
struct StructArray {
    std::vector<std::vector<PropertyView>> elements;  // each element's values, in image order
};
}  // namespace values

// In the order of ValueKind's numbers.
using Value = std::variant<values::None, values::Text, values::Real, values::Unsigned, values::Date,
                           values::Enumeration, values::StructArray>;

// Names, units and descriptions are the templates' own, which the Teds
// keeps: a view is good for as long as the Teds it came from.
struct PropertyView {
    std::string_view name;
    Value value;
    const Unit* unit = nullptr;    // null when the property names no unit
    std::string_view description;  // the template's words for it; may be empty
    // The ENUMERATE an enumeration names its values from; empty for other values.
    std::string_view enumeration;

    ValueKind kind() const { return static_cast<ValueKind>(value.index()); }
};

struct TemplateView {
    TemplateInfo info;
    // Bits of the template the image ended before; they were read as zeros.
    std::uint64_t missingBits = 0;
    std::vector<PropertyView> properties;  // select cases, which the values decide, are not listed
};

// The shortest decimal text that reads back to exactly `value`; "nan",
// "inf" or "-inf" for the values with no decimal form.
std::string realText(double value);
// YYYY-MM-DD for a day count since 1998-01-01; none past 9999-12-31.
std::optional<std::string> dateText(std::uint64_t days);
// The day count since 1998-01-01 of a date written YYYY-MM-DD, negative
// before it; none for text that is no such date.
std::optional<std::int64_t> dayNumber(std::string_view text);

// What held the image, as the JSON document states it.
struct ImageSource {
    std::string container;  // the container format's name
    // How hex text that held the image spelled its digits A to F; none when
    // no hex text held it.
    std::optional<bool> upperCaseHex;
    std::optional<std::uint32_t> eepromPages;  // a memory dump's pages, erased ones included
};

// An image read from a file's or a stream's content, as every front end
// reads one: its container worked out from the content (see
// readContainer) or named, and at least the 64 bits of a Basic TEDS.
struct ImageRead {
    container::Image image;
    container::Format container = container::Format::Raw;
    bool hexText = false;     // an EEPROM dump given as hexadecimal text
    bool upperCase = false;   // hex text whose digits A to F were upper case
    std::uint32_t pages = 0;  // pages of an EEPROM dump
    // Empty on success; says what is wrong with the content, without naming it.
    std::string error;
    // The container was found by its pages but is no good dump: a caller
    // may suggest naming the container, as raw or hex reads it as an image.
    bool damagedDump = false;

    bool ok() const { return error.empty(); }
    // A hex image or an EEPROM dump given as hex text: its digits had a case.
    bool heldAsHexText() const { return container == container::Format::Hex || hexText; }
    // Written in this style, the image's container comes back as it was read.
    container::TextStyle textStyle() const { return {hexText, upperCase, pages}; }
    // What the JSON document says of the container.
    ImageSource source() const;
};

// The Basic TEDS alone takes 64 bits.
inline constexpr std::size_t kBasicTedsBytes = 8;

ImageRead readImage(std::string_view content, std::optional<container::Format> format = std::nullopt);
// The same, with one question the content alone cannot answer settled by
// decoding: 32 bytes whose sum is 0 modulo 256 are an image of a 256-bit
// memory or a one-page EEPROM dump. The dump is taken when its image
// decodes against `templates` without a problem and the bytes as an image
// do not (see Teds::problems); otherwise the bytes are the image.
ImageRead readImage(std::string_view content, const Templates& templates,
                    std::optional<container::Format> format = std::nullopt);

// ---------------------------------------------------------------------------
// Checks: what is wrong with an image, or with the file it came in, each by
// a name programs and people match on.
// ---------------------------------------------------------------------------

enum class ProblemKind : std::int32_t {
    Unreadable = 0,           // the file could not be read at all
    NoImage = 1,              // what the file holds is no TEDS image
    DamagedContainer = 2,     // an EEPROM dump with a page whose checksum fails
    Truncated = 3,            // the image ends inside a template
    UnsupportedTemplate = 4,  // a template that no loaded template file holds: decoding stopped there
    TemplateLeftOut = 5,      // a template that was found but did not decode: decoding stopped there
    CalibrationDue = 6,       // the calibration fell due before the day of the check
    Mismatch = 7,             // the Basic TEDS is not the sensor expected
    Missing = 8,              // a sensor expected, with no image
};

// "unreadable", "no-image", "damaged-container", "truncated",
// "unsupported-template", "template-left-out", "calibration-due",
// "mismatch", "missing".
std::string_view problemName(ProblemKind kind);

struct ImageProblem {
    ProblemKind kind = ProblemKind::Unreadable;
    std::string text;  // what was found, in a sentence without its name
    // The template the problem is in: a template's problems have its key;
    // its ID too, unless the ID could not be read.
    std::optional<std::int32_t> manufacturerKey;
    std::optional<std::uint32_t> templateId;
};

// When the sensor was calibrated and when that falls due, from the first
// template that states a calibration date (%CalDate) and, in the same
// template, a period (%CalPeriod).
struct Calibration {
    std::optional<std::uint64_t> date;        // days since 1998-01-01
    std::optional<std::uint64_t> periodDays;  // none when not stated or 0
    std::optional<std::uint64_t> due;         // the date plus the period
};

struct CheckOptions {
    // The day of the check, in days since 1998-01-01: a calibration due
    // before it is a problem. None leaves calibrations unchecked.
    std::optional<std::int64_t> today;
};

// What the reader of `read` found wrong: a damaged container, or no image.
// Only for a read that failed.
ImageProblem readProblem(const ImageRead& read);

// What a sensor is expected to be; a field left none is not checked.
struct ExpectedSensor {
    std::optional<std::int32_t> manufacturerId;
    std::optional<std::int32_t> modelNumber;
    std::optional<std::int32_t> serialNumber;
};

// One Mismatch for each field of the Basic TEDS that is not as expected.
std::vector<ImageProblem> mismatches(const BasicTeds& found, const ExpectedSensor& expected);

// How a JSON document is written, and what it carries beyond the image.
struct DocumentOptions {
    const ChannelConditions* scales = nullptr;  // with each template's "scale"
    bool oneLine = false;                       // no line break but the last: a line of JSON Lines
    const std::string* file = nullptr;          // the image's file, as "file", the first key
    const std::vector<ImageProblem>* problems = nullptr;  // as "problems", the last key
};

// The document of a file that gave no image: {"file", "error",
// "problems"}, written as `options` says (its scales are not used).
std::string failureDocument(std::string_view error, const DocumentOptions& options);

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
    std::int32_t templateCount() const;
    // None past the last template.
    std::optional<TemplateInfo> templateAt(std::uint32_t index) const;

    // Every named value of every template, in image order; select cases,
    // which the values decide, are not listed.
    std::vector<Property> properties() const;

    // The templates decoded, in image order, with their values as typed
    // views; struct arrays hold their elements' values.
    std::vector<TemplateView> templateViews() const;
    // The value at `position` among a template's values, counted depth-first
    // through struct arrays, which are not counted themselves; none past the
    // last.
    std::optional<PropertyView> valueAt(std::uint32_t templateIndex, std::uint32_t position) const;
    // The `occurrence`-th value (from 0) named exactly `name` in a template,
    // searched depth-first; none past the last. The empty name finds the
    // case each select took, as a value of kind None.
    std::optional<PropertyView> valueNamed(std::uint32_t templateIndex, std::string_view name,
                                           std::uint32_t occurrence = 0) const;
    // How many values valueAt reaches in a template, and how many valueNamed
    // finds for `name`; 0 for a template index past the last.
    std::int32_t valueCount(std::uint32_t templateIndex) const;
    std::int32_t countNamed(std::uint32_t templateIndex, std::string_view name) const;

    // How template `templateIndex` turns the channel's electrical value
    // into its physical value, given what the caller knows of the channel;
    // or the reason it gives none, naming what is missing.
    ScaleFound scale(std::uint32_t templateIndex, const ChannelConditions& conditions = {}) const;

    // What the decoder met on its way down the image's chain, as text a
    // person follows a decode by: the Basic TEDS, then each descriptor with
    // the template it led to as far as it was decoded.
    std::string trace() const;

    // The image as one JSON document: the Basic TEDS, each template with its
    // values, and what writing the image again needs beyond them (descriptor
    // bits, select cases, trailing bits). Ends with a line break.
    std::string document(const ImageSource& source) const;
    // The same document with each template's "scale" as well: what scale()
    // gives under `conditions`, as {"kind", "quantity", "inputUnit",
    // "outputUnit", "validInput": [low, high], "constants": [{"name",
    // "value", "unit"}], "notes"}, an open or unknown end of the range null;
    // or {"reason"} when the template gives none. It states nothing to
    // write: readDocument passes over it.
    std::string document(const ImageSource& source, const ChannelConditions& conditions) const;

    // The document as `options` says: Teds::document, on one line or with
    // what is known of the image's file beside it. readDocument passes over
    // "file" and "problems".
    std::string document(const ImageSource& source, const DocumentOptions& options) const;

    // What a check finds wrong with the decoded image: a template the image
    // ends inside; where decoding stopped before the image's data ended, the
    // template it stopped at (not loaded, or not decodable); and, with a
    // day to check against, a calibration that fell due before it. Zero
    // bits after the last template are unwritten memory, not a template.
    std::vector<ImageProblem> problems(const CheckOptions& options = {}) const;
    Calibration calibration() const;

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
