#pragma once
// The limits of the JSON document tedsdump --json writes and tedsedit
// --from-json reads, stated once so that neither tool writes a document the
// other refuses.

#include <cstddef>
#include <cstdint>

#include "teds/tdl/ParseContext.hpp"
#include "teds_api.hpp"
#include "teds_container.hpp"

namespace teds_tools {

// Reading stops past this size, and a document that would be larger is not
// written.
inline constexpr std::size_t kMaxDocumentBytes = teds::api::kMaxDocumentBytes;

// How deep the brackets of a document nest. The document, its list of
// templates, a template, its list of properties and a property take five
// levels; a struct array adds its list of elements, an element and the
// properties in it, and struct arrays nest no deeper than the loader lets
// templates nest. No image decodes to a deeper document, so the reader
// refuses one before anything follows its nesting.
inline constexpr std::int32_t kMaxDocumentNesting = 5 + 3 * teds::tdl::ParseContext::kMaxNesting;

// The longest run of bits a document states (descriptor bits, the bits
// after the last template): no image holds more.
inline constexpr std::size_t kMaxDocumentBits = teds::container::kMaxImageBytes * 8;

}  // namespace teds_tools
