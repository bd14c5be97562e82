#pragma once
// Inputs the benchmarks share: the example templates, the example
// accelerometer image, calibration tables of any length, a catalogue of
// templates.

#include <cstdint>
#include <string>
#include <vector>

namespace teds::bench {

// The bundled example template file.
std::string exampleTemplatePath();
std::string exampleTemplateText();

// The example accelerometer and force sensor (IEEE template 25).
std::vector<std::uint8_t> accelerometerImage();

// IEEE template 40 with a 16-bit point count, so tables may hold more
// points than the standard's 7-bit count allows.
std::string wideCalibrationTableTdl();
// An image of that template with `points` calibration points.
std::vector<std::uint8_t> calibrationTableImage(std::uint32_t points);

// `count` templates made from the example templates with new IDs under one
// manufacturer, as a vendor's catalogue would be.
std::string templateCatalogue(std::uint32_t count);

}  // namespace teds::bench
