#pragma once
// The whole tool behind main: streams in, streams out, an exit status back.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tedsedit {

inline constexpr int kExitWritten = 0;
// A usage error, an unreadable input, a refused value, or a file not written.
inline constexpr int kExitFailure = 2;

// `args` holds the arguments without the program name; `in` is read when
// the image or the document comes from standard input.
int runTedsedit(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tedsedit
