// Runs the built tedsdump executable as a user would, through a shell.
// Native builds only: under Wine a test process cannot start the shell.

#include <gtest/gtest.h>

#ifndef _WIN32

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using testing::examplePath;
using testing::ScratchFile;

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs `tedsdump <arguments>` through the shell; `arguments` may hold redirections.
ProcessResult runBinary(const std::string& arguments) {
    ScratchFile errors("", ".err");
    const std::string command = quoted(TEDSDUMP_PATH) + " " + arguments + " 2>" + quoted(errors.path());
    ProcessResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = testing::readFile(errors.path());
    return result;
}

TEST(TedsdumpBinaryTest, PrintsTheTableOfAHexImage) {
    const ProcessResult result = runBinary(quoted(examplePath("images/accelerometer.hex")));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Template 25, manufacturer key 0: Accelerometer & Force"), std::string::npos);
    EXPECT_NE(result.out.find("%CalDate       2023-05-17"), std::string::npos) << result.out;
}

TEST(TedsdumpBinaryTest, PrintsJsonOfABinaryImageFromStandardInput) {
    const ProcessResult result = runBinary("--json < " + quoted(examplePath("images/thermocouple.bin")));
    EXPECT_EQ(result.status, 0) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out);
    EXPECT_EQ(document["basic"]["serialNumber"], 123456);
    EXPECT_EQ(document["templates"][0]["properties"][6]["text"], "K");
}

TEST(TedsdumpBinaryTest, ReadsADashAsStandardInput) {
    const ProcessResult viaDash = runBinary("--json - < " + quoted(examplePath("images/bridge.hex")));
    const ProcessResult viaPath = runBinary("--json " + quoted(examplePath("images/bridge.hex")));
    EXPECT_EQ(viaDash.status, 0);
    EXPECT_EQ(viaDash.out, viaPath.out);
    EXPECT_EQ(nlohmann::json::parse(viaDash.out)["templates"][0]["templateId"], 33);
}

TEST(TedsdumpBinaryTest, ConvertsIntoStandardOutputWhereverItLeads) {
    const std::string image = examplePath("images/accelerometer.hex");
    const std::string hex = testing::readFile(image);
    const ProcessResult intoPipe = runBinary("--convert hex -o /dev/stdout " + quoted(image));
    EXPECT_EQ(intoPipe.status, 0) << intoPipe.err;
    EXPECT_EQ(intoPipe.out, hex);
    // A file the shell writes to before and after: the output goes between.
    ScratchFile file("");
    const std::string command = "{ echo before; " + quoted(TEDSDUMP_PATH) + " --convert hex -o /dev/stdout " +
                                quoted(image) + "; echo after; } > " + quoted(file.path());
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(testing::readFile(file.path()), "before\n" + hex + "after\n");
}

TEST(TedsdumpBinaryTest, FailuresExitWithTwoAndOneLineOnStandardError) {
    ScratchFile prose("Nothing to see here.\n");
    for (const std::string& arguments :
         {std::string("--no-such-option"), std::string("/nonexistent/image.hex"), "< " + quoted(prose.path()),
          "--tdl /nonexistent/t.tdl " + quoted(examplePath("images/accelerometer.hex"))}) {
        const ProcessResult result = runBinary(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << arguments << ": " << result.err;
        EXPECT_EQ(result.err.rfind("tedsdump: ", 0), 0u) << result.err;
    }
}

}  // namespace
}  // namespace tedsdump

#endif
