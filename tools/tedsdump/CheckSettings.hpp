#pragma once
// What the checks of tedsdump are given: the day calibrations are checked
// against, and the sensors --expect names.

#include <ostream>

#include "Expectations.hpp"
#include "Options.hpp"
#include "teds_api.hpp"

namespace tedsdump {

// --today, or the day on the local clock.
teds::api::CheckOptions checkOptions(const Options& options);

// Reads --expect's file, if one is given, into `expectations`; false, with
// a line on `err`, when it cannot be read or is refused.
bool readExpectations(const Options& options, Expectations& expectations, std::ostream& err);

}  // namespace tedsdump
