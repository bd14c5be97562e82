#pragma once
// The example TEDS images shipped in examples/images: what each sensor
// says, and how it becomes bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/types/ValueRecord.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds_encoding.hpp"

namespace example_images {

struct ExampleTemplate {
    std::uint32_t templateId = 0;  // an IEEE standard template
    std::vector<teds::types::ValueRecord> values;  // as Template::encodeBody takes them
};

struct ExampleImage {
    std::string fileName;  // ".hex" files hold hexadecimal text, ".bin" files the bytes
    teds::decode::BasicTeds basic;  // written in the standard layout
    std::vector<ExampleTemplate> templates;
};

std::vector<ExampleImage> exampleImages();

// The image, its last byte filled up with zero bits; none, with the report
// saying why, when the values do not fit the registry's templates.
teds::encode::Encoded encodeExampleImage(const teds::tdl::Registry& registry, const ExampleImage& image);

// The file content for an image: the hex container's text for ".hex"
// files, the bytes themselves otherwise.
std::string fileContent(const ExampleImage& image, const std::vector<std::uint8_t>& bytes);

}  // namespace example_images
