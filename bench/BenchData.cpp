#include "BenchData.hpp"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "ExampleImages.hpp"
#include "teds/types/BitWriter.hpp"
#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::bench {

std::string exampleTemplatePath() { return TEDS_EXAMPLE_TEMPLATE_FILE; }

std::string exampleTemplateText() {
    std::ifstream in(exampleTemplatePath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (text.str().empty()) throw std::runtime_error("cannot read " + exampleTemplatePath());
    return text.str();
}

std::vector<std::uint8_t> accelerometerImage() {
    teds::api::Templates templates;
    templates.loadFile(exampleTemplatePath());
    for (const auto& image : example_images::exampleImages()) {
        if (image.document["templates"].size() != 1 || image.document["templates"][0]["templateId"] != 25) continue;
        teds::api::Encoded encoded = example_images::encodeExampleImage(templates, image);
        if (encoded.ok()) return std::move(encoded.image.bytes);
        throw std::runtime_error(encoded.report.problems.front());
    }
    throw std::runtime_error("no example image of template 25");
}

// A table of calibration points: a one-bit domain, then a 16-bit count of
// (domain value, deviation) pairs, the shape of a long calibration table.
std::string wideCalibrationTableTdl() {
    return R"(TEMPLATE 0, 8, 40, "Calibration Table"
ENUMERATE CalTableDomain, "Electrical", "Physical"
%CalTable_Domain, "Domain of the calibration table", CAL, 1, CalTableDomain, ,
STRUCTARRAY CalTable, "Calibration points", CAL, 16
  %CalTable_DomainValue, "Domain value in % of span", CAL, 16, ConRes, 0, 0.0015259, ,
  %CalTable_RangeValue, "Range deviation in % of span", CAL, 21, ConRes, -100, 0.0001, ,
ENDSTRUCTARRAY
ENDTEMPLATE
VALIDATION_KEYCODE 1
)";
}

std::vector<std::uint8_t> calibrationTableImage(std::uint32_t points) {
    const std::uint64_t bits = 64 + 2 + 8 + 1 + 16 + std::uint64_t{points} * (16 + 21);
    types::BitWriter stream(static_cast<std::uint32_t>((bits + 7) / 8));
    stream.writeBits(64, 0x0000000145678011);  // any Basic TEDS in the standard layout
    stream.writeBits(2, 0);
    stream.writeBits(8, 40);
    stream.writeBits(1, 0);
    stream.writeBits(16, points);
    for (std::uint32_t i = 0; i < points; ++i) {
        stream.writeBits(16, (i * 37) & 0xFFFF);
        stream.writeBits(21, (i * 101) & 0x1FFFFF);
    }
    return std::move(stream).takeBytes();
}

std::string templateCatalogue(std::uint32_t count) {
    const std::string text = exampleTemplateText();
    // Cut the example file into its templates.
    std::vector<std::string> bodies;
    const std::regex header(R"(TEMPLATE 0, 8, \d+,)");
    for (std::size_t at = text.find("TEMPLATE 0,"); at != std::string::npos;) {
        const std::size_t end = text.find("ENDTEMPLATE", at) + std::string("ENDTEMPLATE\n").size();
        bodies.push_back(text.substr(at, end - at));
        at = text.find("TEMPLATE 0,", end);
    }
    std::string catalogue;
    for (std::uint32_t id = 0; id < count; ++id)
        catalogue += std::regex_replace(bodies[id % bodies.size()], header,
                                        "TEMPLATE 4000, 16, " + std::to_string(id) + ",",
                                        std::regex_constants::format_first_only);
    return catalogue + "VALIDATION_KEYCODE 1\n";
}

}  // namespace teds::bench
