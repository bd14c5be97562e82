#include "Bindings.hpp"

namespace teds_python {
namespace {

using teds::api::Scale;

double converted(const teds::scale::Conversion& conversion) {
    if (!conversion.ok()) throw Failure(ErrorClass::Scale, conversion.refusal);
    return conversion.value;
}

// A C-contiguous buffer of `itemSize` bytes an item, or none.
bool contiguous(const py::buffer_info& buffer) {
    py::ssize_t expected = buffer.itemsize;
    for (py::ssize_t axis = buffer.ndim - 1; axis >= 0; --axis) {
        if (buffer.shape[axis] > 1 && buffer.strides[axis] != expected) return false;
        expected *= buffer.shape[axis];
    }
    return true;
}

template <class Sample>
std::size_t convertSamples(const Scale& scale, const py::buffer_info& in, const py::buffer_info& out, bool toPhysical) {
    const auto* from = static_cast<const Sample*>(in.ptr);
    auto* to = static_cast<Sample*>(out.ptr);
    const auto count = static_cast<std::size_t>(in.size);
    // The samples are ours alone while the buffers are held: other threads
    // run meanwhile.
    py::gil_scoped_release unlocked;
    return toPhysical ? scale.toPhysical(from, to, count) : scale.toElectrical(from, to, count);
}

// Converts every sample of `in` into `out`: two C-contiguous buffers of
// float64 or of float32 with as many samples, which may be the same.
std::size_t convertArray(const Scale& scale, const py::buffer& input, const py::buffer& output, bool toPhysical) {
    const py::buffer_info in = input.request();
    const py::buffer_info out = output.request(true);
    const bool doubles = in.format == py::format_descriptor<double>::format() && in.itemsize == sizeof(double);
    const bool floats = in.format == py::format_descriptor<float>::format() && in.itemsize == sizeof(float);
    if (!doubles && !floats) throw Failure(ErrorClass::Scale, "samples must be float64 or float32, not '" + in.format + "'");
    if (out.format != in.format || out.itemsize != in.itemsize || out.size != in.size)
        throw Failure(ErrorClass::Scale, "the output must hold as many samples as the input, of the same type");
    if (!contiguous(in) || !contiguous(out)) throw Failure(ErrorClass::Scale, "samples must lie contiguous in memory");
    return doubles ? convertSamples<double>(scale, in, out, toPhysical) : convertSamples<float>(scale, in, out, toPhysical);
}

}  // namespace

py::object scaleOf(const teds::api::Teds& teds, std::uint32_t index, const teds::api::ChannelConditions& conditions) {
    teds::api::ScaleFound found = teds.scale(index, conditions);
    if (found.scale) return py::cast(std::move(*found.scale));
    return textOf(found.reason);
}

void bindScale(py::module_& module) {
    py::class_<Scale>(module, "Scale")
        .def_property_readonly("kind", [](const Scale& scale) { return std::string(teds::scale::kindName(scale.kind())); })
        .def_property_readonly("quantity", [](const Scale& scale) { return textOf(scale.quantity()); })
        .def_property_readonly("input_unit", [](const Scale& scale) { return textOf(scale.inputUnit()); })
        .def_property_readonly("output_unit", [](const Scale& scale) { return textOf(scale.outputUnit()); })
        .def_property_readonly("valid_input",
                               [](const Scale& scale) {
                                   const teds::scale::ValueRange range = scale.validInput();
                                   return py::make_tuple(range.low, range.high);
                               })
        .def_property_readonly("constants",
                               [](const Scale& scale) {
                                   py::list list;
                                   for (const auto& constant : scale.constants())
                                       list.append(py::make_tuple(textOf(constant.name), constant.value,
                                                                  textOf(constant.unit)));
                                   return list;
                               })
        .def_property_readonly("notes", [](const Scale& scale) { return textsOf(scale.notes()); })
        .def("to_physical", [](const Scale& scale, double value) { return converted(scale.toPhysical(value)); })
        .def("to_electrical", [](const Scale& scale, double value) { return converted(scale.toElectrical(value)); })
        .def("convert_array", &convertArray, py::arg("input"), py::arg("output"), py::arg("to_physical"));
}

}  // namespace teds_python
