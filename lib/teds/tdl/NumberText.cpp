#include "teds/tdl/NumberText.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace teds::tdl {
namespace {

bool startsWithPrefix(std::string_view text, char lower) {
    return text.size() > 2 && text[0] == '0' && (text[1] == lower || text[1] == lower - 'a' + 'A');
}

// Reading digits modulo 2^64 keeps any length of text in range.
std::uint64_t digitsModulo64(std::string_view digits, std::uint64_t base) {
    std::uint64_t value = 0;
    for (char c : digits) {
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint64_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint64_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint64_t>(c - 'A' + 10);
        else
            break;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return value;
}

}  // namespace

std::optional<std::int64_t> parseDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::uint64_t low64Bits(std::string_view text) {
    if (startsWithPrefix(text, 'x')) return digitsModulo64(text.substr(2), 16);
    if (startsWithPrefix(text, 'b')) return digitsModulo64(text.substr(2), 2);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::uint64_t magnitude = digitsModulo64(text, 10);
    return negative ? 0u - magnitude : magnitude;
}

double parseReal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; tell overflow from underflow
        // by the exponent's sign, or by the digits before the point.
        const std::size_t e = text.find_first_of("eE");
        bool overflow = false;
        if (e != std::string_view::npos && e + 1 < text.size())
            overflow = text[e + 1] != '-';
        else
            overflow = text.substr(0, text.find('.')).find_first_not_of('0') != std::string_view::npos;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::uint64_t truncatedLow64Bits(double value) {
    if (std::isnan(value)) return 0;
    if (std::isinf(value)) return std::numeric_limits<std::uint64_t>::max();
    // fmod is exact, so the low 64 bits of the magnitude survive even for
    // huge values; a negative number is negated in unsigned arithmetic,
    // since adding 2^64 to it as a double would round.
    const double magnitude = std::fmod(std::abs(std::trunc(value)), 18446744073709551616.0);
    const auto low = static_cast<std::uint64_t>(magnitude);
    return value < 0 ? 0u - low : low;
}

std::int32_t leadingInt32(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // One past the largest magnitude is enough to know that it saturates.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        magnitude = std::min(magnitude * 10 + (c - '0'), limit);
    }
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min(magnitude, limit - 1));
}

}  // namespace teds::tdl
