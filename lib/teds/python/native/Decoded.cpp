#include "PropertyTuples.hpp"

namespace teds_python {
namespace {

using teds::api::ChannelConditions;

// An image decoded against templates, as it was read: the package's
// sensors stand on it. Nothing changes it after it is made, so threads may
// share it; an edit decodes the image again (see encode).
struct Decoded {
    Decoded(SharedTemplates shared, teds::api::ImageRead imageRead)
        : templates(std::move(shared)), read(std::move(imageRead)), teds(*templates, read.image) {}

    SharedTemplates templates;
    teds::api::ImageRead read;
    teds::api::Teds teds;
};

std::shared_ptr<Decoded> decode(SharedTemplates templates, const py::bytes& content,
                                const std::optional<std::string>& container) {
    teds::api::ImageRead read = teds::api::readImage(std::string_view(content), formatOrDetect(container));
    if (!read.ok()) {
        if (read.damagedDump) read.error += " (container='raw' or 'hex' reads it as an image)";
        throw Failure(ErrorClass::Read, read.error);
    }
    return std::make_shared<Decoded>(std::move(templates), std::move(read));
}

ChannelConditions conditionsOf(std::optional<double> cjc, std::optional<double> excitation, std::optional<double> r0) {
    return {cjc, excitation, r0};
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

using Settings = std::vector<std::pair<std::string, std::string>>;

teds::api::EncodeOptions encodeOptions(int access, bool strict) {
    if (access < 0 || access > static_cast<int>(teds::api::Access::User))
        throw Failure(ErrorClass::Encode, "no access level is numbered " + std::to_string(access) + " (0 ID, 1 CAL, 2 USR)");
    return {static_cast<teds::api::Access>(access), strict};
}

// The new image and the encode's notes; refused with its problems and notes.
py::tuple encodedTuple(const teds::api::Encoded& encoded) {
    if (!encoded.ok()) throw Failure(ErrorClass::Encode, joined(encoded.report.problems), encoded.report.problems,
                                     encoded.report.notes);
    const auto& bytes = encoded.image.bytes;
    return py::make_tuple(py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size()), encoded.image.bitCount,
                          textsOf(encoded.report.notes));
}

py::tuple encode(const Decoded& decoded, const Settings& settings, int access, bool strict) {
    const teds::api::EncodeOptions options = encodeOptions(access, strict);
    teds::api::Teds edited(*decoded.templates, decoded.read.image);
    for (const auto& [name, value] : settings) edited.set(name, value);
    return encodedTuple(edited.encode(options));
}

// An image from a document as tedsdump --json writes it, and the container
// the document names with its style: (bytes, bits, notes, container, hex
// text, upper case, pages).
py::tuple encodeDocument(const SharedTemplates& templates, const std::string& json, const Settings& settings, int access,
                         bool strict) {
    const teds::api::EncodeOptions options = encodeOptions(access, strict);
    const teds::api::DocumentRead read = teds::api::readDocument(json);
    if (!read.ok()) throw Failure(ErrorClass::Encode, joined(read.problems), read.problems);
    std::vector<teds::api::Setting> stated;
    for (const auto& [name, value] : settings) stated.push_back({name, value});
    const py::tuple encoded = encodedTuple(read.document.encode(*templates, stated, options));
    const py::object container = read.container ? py::object(py::str(std::string(teds::container::formatName(*read.container))))
                                                : py::object(py::none());
    return py::make_tuple(encoded[0], encoded[1], encoded[2], container, read.style.hexText, read.style.upperCase,
                          read.style.pages);
}

}  // namespace

void bindDecoded(py::module_& module) {
    py::class_<Decoded, std::shared_ptr<Decoded>>(module, "Decoded")
        .def_property_readonly("container",
                               [](const Decoded& d) { return std::string(teds::container::formatName(d.read.container)); })
        .def_property_readonly("hex_text", [](const Decoded& d) { return d.read.hexText; })
        .def_property_readonly("upper_case", [](const Decoded& d) { return d.read.upperCase; })
        .def_property_readonly("pages", [](const Decoded& d) { return d.read.pages; })
        .def_property_readonly("data",
                               [](const Decoded& d) {
                                   const auto& bytes = d.read.image.bytes;
                                   return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
                               })
        .def_property_readonly("bit_count", [](const Decoded& d) { return d.read.image.bitCount; })
        .def("basic",
             [](const Decoded& d) {
                 const teds::api::BasicTeds basic = d.teds.basic();
                 const std::string letter = basic.versionLetter ? std::string(1, basic.versionLetter) : std::string();
                 return py::make_tuple(basic.manufacturerId, basic.modelNumber, textOf(letter), basic.versionNumber,
                                       basic.serialNumber, basic.layout);
             })
        .def("templates",
             [](const Decoded& d) {
                 py::list list;
                 for (const teds::api::TemplateView& view : d.teds.templateViews())
                     list.append(py::make_tuple(view.info.manufacturerKey, view.info.templateId, textOf(view.info.name),
                                                view.missingBits, propertyTuples(view.properties)));
                 return list;
             })
        .def("trace", [](const Decoded& d) { return textOf(d.teds.trace()); })
        .def("document",
             [](const Decoded& d, bool withScale, std::optional<double> cjc, std::optional<double> excitation,
                std::optional<double> r0) {
                 const teds::api::ImageSource source = d.read.source();
                 return textOf(withScale ? d.teds.document(source, conditionsOf(cjc, excitation, r0))
                                         : d.teds.document(source));
             },
             py::arg("with_scale"), py::arg("cjc"), py::arg("excitation"), py::arg("r0"))
        .def("scale",
             [](const Decoded& d, std::uint32_t index, std::optional<double> cjc, std::optional<double> excitation,
                std::optional<double> r0) { return scaleOf(d.teds, index, conditionsOf(cjc, excitation, r0)); },
             py::arg("index"), py::arg("cjc"), py::arg("excitation"), py::arg("r0"))
        .def("encode", &encode, py::arg("settings"), py::arg("access"), py::arg("strict"));

    module.def("decode", &decode, py::arg("templates"), py::arg("content"), py::arg("container"));
    module.def("encode_document", &encodeDocument, py::arg("templates"), py::arg("json"), py::arg("settings"),
               py::arg("access"), py::arg("strict"));
}

}  // namespace teds_python
