#pragma once
// The TDL templates the end-to-end tests load, and images written for them.

#include <cstdint>

#include "CallerSupport.hpp"

namespace teds::test {

// Manufacturer of the Basic TEDS in the chain images.
constexpr std::uint32_t kChainManufacturer = 77;
// A manufacturer whose template a chain reaches through a user descriptor.
constexpr std::uint32_t kOtherManufacturer = 100;
// A manufacturer the registry does not know.
constexpr std::uint32_t kUnknownManufacturer = 200;

// IEEE template 40 (8-bit ID) with one property of every value kind, in
// this order: %Count UNINT, %Gain ConRes, %CalDate DATE, %Label CHR5, %Pol
// enumeration, %Temp Single, %Missing (all ones: no value), %Odd (unit of
// type 7), %Wide Unicode. Manufacturer 77's template 3 (6-bit ID): a struct
// array Points of (%X, %Y) then %After. Manufacturer 100's template 9 (4-bit
// ID): a one-bit select case between %Low and %High.
extern const char kTemplatesTdl[];

struct EveryKindValues {
    std::uint32_t count = 200;
    std::uint32_t gainRaw = 4;     // 1 + 4 * 0.5
    std::uint32_t calDays = 365;   // 1999-01-01
    std::uint32_t label[3] = {1, 0, 31};  // "A @"
    std::uint32_t polarity = 2;    // "Bipolar"
    float temperature = 1.5f;
    std::uint32_t odd = 3;
    std::uint16_t wide[2] = {0x00E9, 0x20AC};
};

// Selector 0, ID 40 and the template's body.
void writeEveryKindTemplate(ImageWriter& image, const EveryKindValues& values = {});
// Selector 1, ID 3 and a table of `points` (x, y) pairs, then %After.
void writeTableTemplate(ImageWriter& image, const std::uint32_t (*points)[2], std::uint32_t pointCount,
                        std::uint32_t after);
// Selector 2 with the 14-bit user field `u` and nothing else.
void writeUserDescriptor(ImageWriter& image, std::uint32_t u);
// Selector 2 naming manufacturer 100, ID 9, case High holding `high`.
void writeOtherMakerTemplate(ImageWriter& image, std::uint32_t high);

// A standard-layout Basic TEDS of manufacturer 77, then IEEE template 40,
// template 3 with three points, a skipped user descriptor, manufacturer
// 100's template, an extended descriptor, and another template 40 that the
// extended descriptor hides.
ImageWriter chainImage();

}  // namespace teds::test
