// Writes the example TEDS images from the values in ExampleImages.cpp.
// Usage: make_example_images TDL_FILE OUTPUT_FOLDER

#include <fstream>
#include <iostream>

#include "ExampleImages.hpp"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_example_images TDL_FILE OUTPUT_FOLDER\n";
        return 2;
    }
    teds::api::Templates templates;
    templates.loadFile(argv[1]);
    for (const teds::api::Diagnostic& diagnostic : templates.diagnostics()) std::cerr << diagnostic.text() << '\n';

    for (const example_images::ExampleImage& image : example_images::exampleImages()) {
        const teds::api::Encoded encoded = example_images::encodeExampleImage(templates, image);
        if (!encoded.ok()) {
            std::cerr << "make_example_images: " << image.fileName << ": " << encoded.report.problems.front() << '\n';
            return 1;
        }
        const std::vector<std::uint8_t>& bytes = encoded.image.bytes;
        const std::string path = std::string(argv[2]) + "/" + image.fileName;
        std::ofstream out(path, std::ios::binary);
        out << example_images::fileContent(image, bytes);
        if (!out) {
            std::cerr << "make_example_images: cannot write " << path << '\n';
            return 1;
        }
        std::cout << path << ": " << bytes.size() << " bytes\n";
    }
    return 0;
}
