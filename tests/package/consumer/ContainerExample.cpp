// Reads a TEDS image from whatever holds it and writes it as a virtual TEDS
// file: the example of the README, built against the installed library.
//   container_example INPUT OUTPUT.ted

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <teds_container.hpp>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    const teds::container::ReadResult read = teds::container::readContainer(content);
    if (!read.ok()) {
        std::cerr << argv[1] << ' ' << read.error << '\n';
        return 2;
    }
    std::cout << "read " << teds::container::formatName(read.format) << ", " << read.image.bytes.size()
              << " image bytes\n";
    std::ofstream(argv[2], std::ios::binary) << teds::container::writeContainer(read.image, teds::container::Format::Ted);
    return 0;
}
