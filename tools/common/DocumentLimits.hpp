#pragma once
// The limits of the JSON document tedsdump --json writes and tedsedit
// --from-json reads, stated once so that neither tool writes a document the
// other refuses.

#include <cstddef>

namespace teds_tools {

// A document lists a value per property in a few hundred bytes of JSON; a
// real sensor's is a few kilobytes. Reading stops past this size, and a
// document that would be larger is not written.
inline constexpr std::size_t kMaxDocumentBytes = std::size_t{16} << 20;

}  // namespace teds_tools
