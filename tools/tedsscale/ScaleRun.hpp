#pragma once
// The whole tool behind main: streams in, streams out, an exit status back.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tedsscale {

inline constexpr int kExitConverted = 0;
// A value was not converted: it was printed as nan and the reason written.
inline constexpr int kExitSomeRefused = 1;
// A usage error, an unreadable file, input that is no image, or an image
// that gives no scale.
inline constexpr int kExitUsage = 2;

// `args` holds the arguments without the program name; `in` holds the
// image when it is named "-", and otherwise the values when none are given.
int runTedsscale(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tedsscale
