// tedsdump: decodes a TEDS image from the command line.

#include "Run.hpp"
#include "ToolMain.hpp"

int main(int argc, char** argv) {
    return teds_tools::toolMain(argc, argv, tedsdump::runTedsdump, "tedsdump", tedsdump::kExitFailure);
}
