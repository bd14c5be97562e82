#include "CheckSettings.hpp"

#include <cstdio>
#include <ctime>

#include "InputFile.hpp"

namespace tedsdump {
namespace {

// The day on the local clock, as calibrations are checked against it.
std::int64_t today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return teds::api::dayNumber(text).value_or(0);
}

}  // namespace

teds::api::CheckOptions checkOptions(const Options& options) {
    return teds::api::CheckOptions{options.today ? options.today : std::optional<std::int64_t>(today())};
}

bool readExpectations(const Options& options, Expectations& expectations, std::ostream& err) {
    if (options.expectPath.empty()) return true;
    constexpr teds_tools::InputRules rules{
        .maxBytes = std::size_t{64} << 20, .beyondLimit = "far more than a list of sensors", .regularFileOnly = true};
    const teds_tools::InputOrError input = teds_tools::readInputFile(options.expectPath, rules);
    std::string error = input.ok() ? expectations.read(input.content) : input.error;
    if (error.empty()) return true;
    err << "tedsdump: --expect '" << options.expectPath << "' " << (input.ok() ? "is refused: " : "") << error << '\n';
    return false;
}

}  // namespace tedsdump
