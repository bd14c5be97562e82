#pragma once
// One decoded template of an image.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "teds/types/RecordStore.hpp"
#include "teds/types/ValueRecord.hpp"

namespace teds::tdl {
struct Template;
}

namespace teds::decode {

struct TemplateRecord {
    std::int32_t manufacturerKey = 0;  // 0 for IEEE standard templates
    std::int32_t templateId = 0;
    const tdl::Template* templateRef = nullptr;  // owned by the registry
    types::RecordStore store;  // the texts and array elements of `values`
    std::vector<types::ValueRecord> values;
    // Bits of the template, its ID included, that lay beyond the end of the
    // image and were read as 0.
    std::uint64_t missingBits = 0;
    // Where the template ID began and the body ended in the image, so that
    // the bits around the templates can be written back as they were.
    std::uint64_t idBit = 0;
    std::uint64_t endBit = 0;

    TemplateRecord() = default;
    // A copy's records refer to the copy's own store.
    TemplateRecord(const TemplateRecord& other);
    TemplateRecord& operator=(const TemplateRecord& other);
    TemplateRecord(TemplateRecord&&) noexcept = default;
    TemplateRecord& operator=(TemplateRecord&&) noexcept = default;

    void reset();
    void begin(std::int32_t key, std::int32_t id, const tdl::Template* tmpl);

    // "I25" for IEEE template 25, "M173" for manufacturer 17's template 3:
    // the trace's established form, with no mark between key and ID.
    // Diagnostics write "M17-3" instead.
    std::string keyText() const;
    // A heading line, then one line per value, each starting with `prefix`.
    void dump(std::ostream& out, std::string_view prefix) const;
};

}  // namespace teds::decode
