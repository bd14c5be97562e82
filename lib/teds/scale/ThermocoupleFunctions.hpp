#pragma once
// The NIST ITS-90 thermocouple reference functions and their inverses, for
// the eight letter-designated types. Emf in mV, as NIST states them; the
// scale that uses them works in volts.

#include "teds_scale.hpp"

namespace teds::scale::nist {

// E in mV at `celsius`, the reference junction at 0 degC: the NIST ITS-90 reference function of
// the type (type K with its exponential term above 0 degC). NaN outside the function's range or for NaN.
double emfMillivolts(ThermocoupleType type, double celsius);
// degC for an emf in mV: NIST's inverse functions, the subrange chosen by the emf. Where two
// inverse ranges overlap (R and S), the one with the smaller published error band. NaN outside
// the inverse functions' range (type B below 0.291 mV; E, K, N, T below -200 degC, ...) or for NaN.
double temperatureCelsius(ThermocoupleType type, double millivolts);
// The temperature range of the reference function, degC; and the emf range of the inverse functions, mV.
ValueRange temperatureRange(ThermocoupleType type);
ValueRange emfRange(ThermocoupleType type);

}  // namespace teds::scale::nist
