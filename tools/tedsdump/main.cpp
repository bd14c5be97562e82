// tedsdump: decodes a TEDS image from the command line.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Run.hpp"

int main(int argc, char** argv) {
#ifdef _WIN32
    // A binary image must reach the tool byte for byte, carriage returns and
    // end-of-file bytes included.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        const int status = tedsdump::runTedsdump(args, std::cin, std::cout, std::cerr);
        std::cout.flush();
        return status;
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, say so in one line rather than abort.
        std::cerr << "tedsdump: " << e.what() << '\n';
        return tedsdump::kExitFailure;
    }
}
