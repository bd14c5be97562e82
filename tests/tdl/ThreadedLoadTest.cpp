// The Windows build uses the win32 thread model, which has no std::thread.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::tdl {
namespace {

// `count` templates using every kind of item, one syntax error near the end.
std::string manyTemplates(int count) {
    std::string text = "// generated\n";
    for (int id = 0; id < count; ++id) {
        text += "TEMPLATE 0, 16, " + std::to_string(id) + ", \"T\"\n";
        text += "ENUMERATE E, \"a\", \"b\", c\nPHYSICAL_UNIT U, (0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0)\n";
        text += "%E, , ID, 2, E, ,\n%V, \"v\", CAL, 16, ConRes, 0, 0.1, \"%f\", \"U\"\n";
        text += "SELECTCASE \"s\", , 1\nCASE \"x\", 0\n%A, , ID, 4, UNINT, ,\nENDCASE\nENDSELECT\n";
        text += "STRUCTARRAY P, \"\", , 3\n%X, , ID, 8, UNINT, ,\nENDSTRUCTARRAY\n";
        text += "%Missing, , ID, 1, Nowhere, ,\n";
        text += id == count - 2 ? "%Broken, , ID\n" : "";
        text += "ENDTEMPLATE\n";
    }
    return text + "VALIDATION_KEYCODE 1\n";
}

TEST(ThreadedLoadTest, ParsersLoadOnSeveralThreadsAtOnce) {
    constexpr int kThreads = 4;
    constexpr int kTemplates = 60;
    const std::string text = manyTemplates(kTemplates);

    std::vector<Registry> registries(kThreads);
    std::vector<std::int32_t> counts(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 4; ++round)
                counts[t] += loadTdlText(registries[t], text, "thread" + std::to_string(t));
        });
    for (std::thread& thread : threads) thread.join();

    Registry reference;
    const std::int32_t expected = loadTdlText(reference, text, "thread0");
    EXPECT_EQ(expected, kTemplates - 1);
    for (int t = 0; t < kThreads; ++t) {
        // Only the first round adds templates; the later ones are refused as loaded.
        EXPECT_EQ(counts[t], expected);
        EXPECT_EQ(registries[t].templates().size(), static_cast<std::size_t>(expected));
        // Each load reports its own syntax error and unknown names, and nothing else leaks across.
        std::size_t syntaxErrors = 0;
        for (const Diagnostic& diagnostic : registries[t].diagnostics()) {
            EXPECT_EQ(diagnostic.source, "thread" + std::to_string(t));
            if (diagnostic.kind == DiagnosticKind::SyntaxError) ++syntaxErrors;
        }
        EXPECT_EQ(syntaxErrors, 4u);
    }
}

}  // namespace
}  // namespace teds::tdl

#endif  // _WIN32
