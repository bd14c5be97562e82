#pragma once
// The main of a command-line tool: the arguments and the standard streams to
// the tool's run function, its exit status back.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace teds_tools {

template <class Run>
int toolMain(int argc, char** argv, Run run, const char* tool, int failure) {
#ifdef _WIN32
    // A binary image must reach the tool byte for byte, carriage returns and
    // end-of-file bytes included.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const int status = run(args, std::cin, std::cout, std::cerr);
        std::cout.flush();
        return status;
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, say so in one line rather than abort.
        std::cerr << tool << ": " << e.what() << '\n';
        return failure;
    }
}

}  // namespace teds_tools
