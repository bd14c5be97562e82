#pragma once
#include "teds_scale.hpp"
namespace teds::scale::nist {
double emfMillivolts(ThermocoupleType type, double celsius);
double temperatureCelsius(ThermocoupleType type, double millivolts);
ValueRange temperatureRange(ThermocoupleType type);
ValueRange emfRange(ThermocoupleType type);
}  // namespace teds::scale::nist
