// Arrays of samples through a scale. The loop is instantiated per kind of
// scale with its kernel inlined, so that the straight lines vectorise and
// the curves run without a call or a branch on the kind per sample.

#include <algorithm>

#include "teds/scale/ScaleKernels.hpp"

namespace teds::scale {
namespace {

template <typename Sample, typename Kernel>
std::size_t convertSamples(std::span<const Sample> in, std::span<Sample> out, Kernel kernel) {
    const std::size_t count = std::min(in.size(), out.size());
    const Sample* from = in.data();
    Sample* to = out.data();
    std::size_t numbers = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = kernel(static_cast<double>(from[i]));
        to[i] = static_cast<Sample>(value);
        numbers += value == value ? 1 : 0;
    }
    return numbers;
}

}  // namespace

std::size_t Scale::toPhysical(std::span<const double> in, std::span<double> out) const {
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, kernel); });
}

std::size_t Scale::toPhysical(std::span<const float> in, std::span<float> out) const {
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, kernel); });
}

std::size_t Scale::toElectrical(std::span<const double> in, std::span<double> out) const {
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, kernel); });
}

std::size_t Scale::toElectrical(std::span<const float> in, std::span<float> out) const {
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, kernel); });
}

}  // namespace teds::scale
