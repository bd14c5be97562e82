#pragma once
// The example TEDS images shipped in examples/images: what each sensor
// says, and how it becomes bytes.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "teds_api.hpp"

namespace example_images {

struct ExampleImage {
    std::string fileName;  // ".hex" files hold hexadecimal text, ".bin" files the bytes
    // The sensor's values as tedsdump --json writes them: the Basic TEDS in
    // the standard layout, then each template's properties and the cases
    // its selects take.
    nlohmann::json document;
};

std::vector<ExampleImage> exampleImages();

// The image, its last byte filled up with zero bits; none, with the report
// saying why, when the values do not fit the templates.
teds::api::Encoded encodeExampleImage(const teds::api::Templates& templates, const ExampleImage& image);

// The file content for an image: the hex container's text for ".hex"
// files, the bytes themselves otherwise.
std::string fileContent(const ExampleImage& image, const std::vector<std::uint8_t>& bytes);

}  // namespace example_images
