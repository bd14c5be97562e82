#include "TestTemplates.hpp"

#include <cstring>

namespace teds::test {

const char kTemplatesTdl[] = R"(// Templates for the interface tests
TEMPLATE 0, 8, 40, "Every value kind"
ENUMERATE Polarity, "Positive", "Negative", "Bipolar"
PHYSICAL_UNIT Volt, 0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0
PHYSICAL_UNIT Celsius, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, -273.15
PHYSICAL_UNIT Unusable, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0
%Count, "A count", ID, 8, UNINT, "", "Volt"
%Gain, "Gain", CAL, 8, ConRes, 1, 0.5, "", "Volt"
%CalDate, "Calibration date", CAL, 16, DATE, "", ""
%Label, "Label", ID, 15, CHR5, "", ""
%Pol, "Polarity", ID, 2, Polarity, "", ""
%Temp, "Temperature", CAL, 32, Single, "", "Celsius"
%Missing, "Not measured", ID, 4, UNINT, "", "Volt"
%Odd, "Unit without numbers", ID, 4, UNINT, "", "Unusable"
%Wide, "Wide text", ID, 32, Unicode, "", ""
ENDTEMPLATE

TEMPLATE 77, 6, 3, "Calibration table"
STRUCTARRAY Points, "Calibration points", CAL, 4
%X, "Input", CAL, 8, UNINT, "", ""
%Y, "Output", CAL, 8, UNINT, "", ""
ENDSTRUCTARRAY
%After, "After the table", ID, 8, UNINT, "", ""
ENDTEMPLATE

TEMPLATE 100, 4, 9, "Other maker"
SELECTCASE "Range", ID, 1
CASE "Low", 0
%Low, "Low range", ID, 4, UNINT, "", ""
ENDCASE
CASE "High", 1
%High, "High range", ID, 12, UNINT, "", ""
ENDCASE
ENDSELECT
ENDTEMPLATE

VALIDATION_KEYCODE 1
)";

void writeEveryKindTemplate(ImageWriter& image, const EveryKindValues& values) {
    std::uint32_t temperatureBits = 0;
    std::memcpy(&temperatureBits, &values.temperature, sizeof temperatureBits);
    image.bits(2, 0).bits(8, 40);
    image.bits(8, values.count).bits(8, values.gainRaw).bits(16, values.calDays);
    for (std::uint32_t code : values.label) image.bits(5, code);
    image.bits(2, values.polarity).bits(32, temperatureBits).bits(4, 0xF).bits(4, values.odd);
    for (std::uint16_t unit : values.wide) image.bits(16, unit);
}

void writeTableTemplate(ImageWriter& image, const std::uint32_t (*points)[2], std::uint32_t pointCount,
                        std::uint32_t after) {
    image.bits(2, 1).bits(6, 3).bits(4, pointCount);
    for (std::uint32_t i = 0; i < pointCount; ++i) image.bits(8, points[i][0]).bits(8, points[i][1]);
    image.bits(8, after);
}

void writeUserDescriptor(ImageWriter& image, std::uint32_t u) {
    image.bits(2, 2).bits(14, u);
}

void writeOtherMakerTemplate(ImageWriter& image, std::uint32_t high) {
    writeUserDescriptor(image, kOtherManufacturer);
    image.bits(4, 9).bits(1, 1).bits(12, high);
}

ImageWriter chainImage() {
    static const std::uint32_t points[3][2] = {{10, 11}, {20, 21}, {30, 31}};
    ImageWriter image;
    image.standardBasicTeds(kChainManufacturer, 12345, 2, 7, 0xABCDEF);
    writeEveryKindTemplate(image);
    writeTableTemplate(image, points, 3, 99);
    writeUserDescriptor(image, 4);  // use code 4: no template follows
    writeOtherMakerTemplate(image, 0xABC);
    image.bits(2, 3).bits(1, 0);  // extended descriptor: the chain ends
    writeEveryKindTemplate(image);
    return image;
}

}  // namespace teds::test
