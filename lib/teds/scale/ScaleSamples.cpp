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

// On x86-64 Linux each array conversion is built twice, for the baseline
// processor and for AVX2, and the loader picks the one the processor runs:
// the curves then take four samples to a vector instead of two. The
// arithmetic is the same operations in the same order either way (AVX2
// brings no fused multiply-add), so both give the same bits. Windows has no
// such loader and keeps the baseline, and so does Clang, whose clones go by
// other symbol names than the header declares. So do the sanitizer builds:
// the loader runs the chooser before ThreadSanitizer's runtime is up, and
// the instrumented chooser crashes. The loop itself is inlined into each
// build, or it would be compiled once, for the baseline.
#if defined(__x86_64__) && defined(__linux__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__) && \
    !defined(__SANITIZE_ADDRESS__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define TEDS_SAMPLE_LOOPS __attribute__((target_clones("avx2", "default")))
#define TEDS_SAMPLE_LOOP_INLINE __attribute__((always_inline)) inline
#endif
#endif
#ifndef TEDS_SAMPLE_LOOPS
#define TEDS_SAMPLE_LOOPS
#define TEDS_SAMPLE_LOOP_INLINE inline
#endif

namespace teds::scale {
namespace {

// Samples go through in blocks that stay in the first-level cache. After
// converting a block, a second pass ORs together the bits of v - v over its
// results, all zero unless one is NaN (or infinite): an integer OR
// vectorises where a count of NaNs may not, and a floating-point sum only in
// order. Only a block with a NaN is counted one by one.
constexpr std::size_t kBlock = 2048;

template <typename Sample, typename Kernel>
TEDS_SAMPLE_LOOP_INLINE std::size_t convertSamples(const Sample* in, Sample* out, std::size_t count, Kernel kernel) {
    using Bits = std::conditional_t<sizeof(Sample) == 8, std::uint64_t, std::uint32_t>;
    std::size_t numbers = 0;
    for (std::size_t first = 0; first < count; first += kBlock) {
        const std::size_t size = std::min(kBlock, count - first);
        const Sample* from = in + first;
        Sample* to = out + first;
        Bits poison = 0;
        if constexpr (Kernel::kStraight) {
            // A line is bound by memory: one pass does both.
            for (std::size_t i = 0; i < size; ++i) {
                const Sample value = kernel(from[i]);
                to[i] = value;
                poison |= std::bit_cast<Bits>(static_cast<Sample>(value - value));
            }
        } else {
            // A pass of its own over a block still in the cache: folded into
            // the loop above, it keeps the RTD curve from vectorising.
            for (std::size_t i = 0; i < size; ++i) to[i] = static_cast<Sample>(kernel(from[i]));
            for (std::size_t i = 0; i < size; ++i) poison |= std::bit_cast<Bits>(static_cast<Sample>(to[i] - to[i]));
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

TEDS_SAMPLE_LOOPS std::size_t Scale::toPhysical(const double* in, double* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

TEDS_SAMPLE_LOOPS std::size_t Scale::toPhysical(const float* in, float* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withPhysical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

TEDS_SAMPLE_LOOPS std::size_t Scale::toElectrical(const double* in, double* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

TEDS_SAMPLE_LOOPS std::size_t Scale::toElectrical(const float* in, float* out, std::size_t count) const {
    if (in == nullptr || out == nullptr) return 0;
    return ScaleKernels::withElectrical(*this, [&](auto kernel) { return convertSamples(in, out, count, kernel); });
}

}  // namespace teds::scale
