// tedsscale: converts measured values to physical ones with a sensor's TEDS.

#include "ScaleRun.hpp"
#include "ToolMain.hpp"

int main(int argc, char** argv) {
    // Values may come by the million; the tool reads standard input through
    // the stream alone.
    std::ios::sync_with_stdio(false);
    return teds_tools::toolMain(argc, argv, tedsscale::runTedsscale, "tedsscale", tedsscale::kExitUsage);
}
