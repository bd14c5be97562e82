#pragma once
// How an image chains its parts: the Basic TEDS, then descriptor after
// descriptor, each a selector and what the selector says follows. Written
// once for whoever reads or writes a chain.

#include <cstdint>

namespace teds::chain {

// The Basic TEDS takes the first 64 bits, in one of two layouts.
inline constexpr std::uint32_t kBasicTedsBits = 64;
struct BasicTedsWidths {
    std::uint32_t manufacturer, model, letter, version, serial;
};
inline constexpr BasicTedsWidths kStandardLayout{14, 15, 5, 6, 24};
inline constexpr BasicTedsWidths kEarlyLayout{12, 16, 5, 6, 25};
// The standard templates start at 25: a first IEEE template with a lower ID
// only occurs with the early layout.
inline constexpr std::uint32_t kLastEarlyTemplateId = 24;

// Each descriptor opens with a selector of this many bits.
inline constexpr std::uint32_t kSelectorBits = 2;
enum Selector : std::uint32_t {
    kIeeeSelector = 0,          // an IEEE template ID and body follow
    kManufacturerSelector = 1,  // a template of the Basic TEDS's manufacturer
    kUserSelector = 2,          // a user field, and perhaps a template of the manufacturer it names
    // An extended descriptor, which ends the chain; real sensors close
    // their chain with it.
    kExtendedSelector = 3,
};

// The user field after a user selector: values in this range name another
// manufacturer whose template follows; all ones is the field unset.
inline constexpr std::uint32_t kUserFieldBits = 14;
inline constexpr std::int32_t kFirstOtherManufacturer = 17;
inline constexpr std::int32_t kLastOtherManufacturer = 16381;
inline constexpr std::uint32_t kUserFieldAllOnes = (1u << kUserFieldBits) - 1;

}  // namespace teds::chain
