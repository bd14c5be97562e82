#pragma once
// Writes a template's values back into image bits through the nodes' own
// encode operations: the inverse of decoding a template body.

#include <string>
#include <vector>

#include "teds/decode/BitStream.hpp"
#include "teds/decode/ValueRecord.hpp"
#include "teds/tdl/Template.hpp"

namespace example_images {

// `values` lists, in decoding order, one record for every field that
// occupies bits: properties by name, a select case by a marker holding the
// case index, a struct array by a record holding its elements. Fields that
// take no bits (qualified properties, fixed values) are left out. Fails with
// `error` set when the list does not follow the template.
bool encodeTemplateBody(const teds::tdl::Template& tmpl, const std::vector<teds::decode::ValueRecord>& values,
                        teds::decode::BitStream& stream, std::string& error);

}  // namespace example_images
