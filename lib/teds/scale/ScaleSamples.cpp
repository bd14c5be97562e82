// Arrays of samples through a scale. The loop is instantiated per kind of
// scale with its kernel inlined, so that the straight lines vectorise and
// the curves run without a branch on the kind per sample. The file is built
// with -O3 at every build type for the vectoriser's sake.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <type_traits>
#include <cmath>

#include "teds/scale/ScaleKernels.hpp"

namespace teds::scale {
namespace {

// Samples go through in blocks that stay in the first-level cache. A block
// ORs together the bits of v - v over its results, all zero unless one is
// NaN (or infinite): an integer OR vectorises where a count of NaNs does not,
// and a floating-point sum only in order. Only a block with a NaN is counted
// one by one.
constexpr std::size_t kBlock = 2048;

template <typename Sample, typename Kernel>
std::size_t convertSamples(const Sample* in, Sample* out, std::size_t count, Kernel kernel) {
    std::size_t numbers = 0;
    for (std::size_t first = 0; first < count; first += kBlock) {
        const std::size_t size = std::min(kBlock, count - first);
        const Sample* from = in + first;
        Sample* to = out + first;
        using Bits = std::conditional_t<sizeof(Sample) == 8, std::uint64_t, std::uint32_t>;
        Bits poison = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const Sample value = static_cast<Sample>(kernel(from[i]));
            to[i] = value;
            poison |= std::bit_cast<Bits>(static_cast<Sample>(value - value));
        }
        if (poison == 0) {
            numbers += size;
            continue;
        }
        for (std::size_t i = 0; i < size; ++i) numbers += std::isnan(to[i]) ? 0 : 1;
    }
    return numbers;
}

}  // namespace

std::size_t Scale::toPhysical(const double* in, double* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

std::size_t Scale::toPhysical(const float* in, float* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

std::size_t Scale::toElectrical(const double* in, double* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

std::size_t Scale::toElectrical(const float* in, float* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

}  // namespace teds::scale
