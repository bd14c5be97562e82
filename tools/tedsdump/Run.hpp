#pragma once
// The whole tool behind main: streams in, streams out, an exit status back.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tedsdump {

inline constexpr int kExitDecoded = 0;
// Decoded, or listed, and a check found a problem in an image.
inline constexpr int kExitProblems = 1;
// A usage error, an unreadable or unwritable file, or input that is no image.
inline constexpr int kExitFailure = 2;

// `args` holds the arguments without the program name; `in` is read when
// the image comes from standard input.
int runTedsdump(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tedsdump
