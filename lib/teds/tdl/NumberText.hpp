#pragma once
// Numbers as the TDL scanner hands them over: texts. Every conversion here
// is independent of the process's locale and never overflows.

#include <cstdint>
#include <optional>
#include <string_view>

namespace teds::tdl {

// An optionally signed decimal integer; nullopt when it is not one or does
// not fit 64 bits.
std::optional<std::int64_t> parseDecimal(std::string_view text);

// A decimal (optionally signed), 0x hexadecimal or 0b binary integer,
// reduced to its low 64 bits; a negative number gives its two's complement.
std::uint64_t low64Bits(std::string_view text);

// A real or integer as the scanner matches them ("1.", ".5", "-2e3", "7").
// Beyond the range of a double it gives an infinity, below it zero.
double parseReal(std::string_view text);

// A real truncated toward zero and reduced to its low 64 bits like an
// integer; an infinity gives all ones, NaN 0.
std::uint64_t truncatedLow64Bits(double value);

// The optionally signed decimal digits at the start of `text`, as C's
// integer parsing reads them: reading stops at the first character that is
// not a digit, so "2E1" gives 2 and ".5" gives 0. Values beyond the range
// saturate.
std::int32_t leadingInt32(std::string_view text);

}  // namespace teds::tdl
