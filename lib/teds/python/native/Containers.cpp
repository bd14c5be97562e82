#include <optional>

#include "Bindings.hpp"

namespace teds_python {
namespace {

using teds::container::Format;

Format formatNamed(const std::string& name, ErrorClass errorClass) {
    if (const std::optional<Format> format = teds::container::formatFromName(name)) return *format;
    throw Failure(errorClass, "no container is named '" + name + "' (raw, hex, ted, eeprom or bits)");
}

// An image as the package hands it over: whole bytes, of which bitCount
// bits count.
teds::container::Image imageOf(const py::bytes& data, std::uint32_t bitCount) {
    const std::string_view bytes = data;
    if (bytes.size() > teds::container::kMaxImageBytes)
        throw Failure(ErrorClass::Encode, "an image of " + std::to_string(bytes.size()) + " bytes is larger than " +
                                            std::to_string(teds::container::kMaxImageBytes) + ", more than any TEDS memory");
    if ((bitCount + std::size_t{7}) / 8 != bytes.size())
        throw Failure(ErrorClass::Encode, std::to_string(bitCount) + " bits do not fill " + std::to_string(bytes.size()) +
                                            " bytes to their last");
    return {{bytes.begin(), bytes.end()}, bitCount};
}

py::bytes writeContainer(const py::bytes& data, std::uint32_t bitCount, const std::string& container, bool hexText,
                         bool upperCase, std::uint32_t pages) {
    if (pages > teds::container::kMostEepromPages)
        throw Failure(ErrorClass::Encode, "a dump has at most " + std::to_string(teds::container::kMostEepromPages) +
                                            " pages, not " + std::to_string(pages));
    const std::string content =
        teds::container::writeContainer(imageOf(data, bitCount), formatNamed(container, ErrorClass::Encode),
                                        {hexText, upperCase, pages});
    return py::bytes(content);
}

}  // namespace

std::optional<Format> formatOrDetect(const std::optional<std::string>& name) {
    if (!name) return std::nullopt;
    return formatNamed(*name, ErrorClass::Read);
}

void bindContainers(py::module_& module) {
    module.attr("MAX_CONTAINER_BYTES") = teds::container::kMaxContainerBytes;
    module.attr("MAX_IMAGE_BYTES") = teds::container::kMaxImageBytes;
    module.def("write_container", &writeContainer, py::arg("data"), py::arg("bit_count"), py::arg("container"),
               py::arg("hex_text"), py::arg("upper_case"), py::arg("pages"));
}

}  // namespace teds_python
