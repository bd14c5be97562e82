#pragma once
// The 5-bit character set of IEEE 1451.4: space, A-Z, and five punctuation marks.

#include <cstdint>

namespace teds::types {

constexpr char chr5ToChar(std::uint32_t code) {
    switch (code & 0x1Fu) {
    case 0: return ' ';
    case 27: return ',';
    case 28: return '.';
    case 29: return '/';
    case 30: return '_';
    case 31: return '@';
    default: return static_cast<char>((code & 0x1Fu) + 64);
    }
}

// Inverse of chr5ToChar. Characters outside the set give c - 64, of which a
// 5-bit writer keeps the low 5 bits.
constexpr std::uint32_t charToChr5(char c) {
    switch (c) {
    case ' ': return 0;
    case ',': return 27;
    case '.': return 28;
    case '/': return 29;
    case '_': return 30;
    case '@': return 31;
    default: return static_cast<std::uint32_t>(static_cast<unsigned char>(c)) - 64u;
    }
}

}  // namespace teds::types
