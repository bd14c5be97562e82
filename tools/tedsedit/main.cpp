// tedsedit: changes or builds a TEDS image from the command line.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "EditRun.hpp"

int main(int argc, char** argv) {
#ifdef _WIN32
    // A binary image must reach the tool byte for byte.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return tedsedit::runTedsedit(args, std::cin, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, say so in one line rather than abort.
        std::cerr << "tedsedit: " << e.what() << '\n';
        return tedsedit::kExitFailure;
    }
}
