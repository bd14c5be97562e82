// tedsedit: changes or builds a TEDS image from the command line.

#include "EditRun.hpp"
#include "ToolMain.hpp"

int main(int argc, char** argv) {
    return teds_tools::toolMain(argc, argv, tedsedit::runTedsedit, "tedsedit", tedsedit::kExitFailure);
}
