// Template files nobody wrote by hand: whatever they hold, a load ends,
// keeps what is valid and leaves the registry usable.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "teds/tdl/Registry.hpp"
#include "teds/tdl/TdlLoader.hpp"

namespace teds::tdl {
namespace {

// A fixed sequence of pseudo-random numbers, the same on every platform.
class Lcg {
public:
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33);
    }

private:
    std::uint64_t state_ = 0x5EED;
};

const char* const kValidTemplate =
    "TEMPLATE 0, 8, 25, \"Valid\"\n"
    "%Value, , ID, 8, UNINT, ,\n"
    "ENDTEMPLATE\n";

constexpr std::size_t kTenMegabytes = 10u << 20;

TEST(HostileTdl, TenMegabytesOfRandomBytesLoadNothing) {
    Lcg random;
    std::string bytes(kTenMegabytes, '\0');
    for (char& c : bytes) c = static_cast<char>(random.next());
    Registry registry;
    EXPECT_EQ(loadTdlText(registry, bytes, "random.tdl"), 0);
    EXPECT_FALSE(registry.diagnostics().empty());
    // Still usable afterwards.
    EXPECT_EQ(loadTdlText(registry, std::string(kValidTemplate) + "VALIDATION_KEYCODE 1\n"), 1);
}

TEST(HostileTdl, TenMegabytesOfRandomTokensKeepTheTemplatesBeforeThem) {
    static const char* const kWords[] = {
        "TEMPLATE", "ENDTEMPLATE", "SELECTCASE", "ENDSELECT", "CASE", "ENDCASE", "STRUCTARRAY", "ENDSTRUCTARRAY",
        "ENUMERATE", "PHYSICAL_UNIT", "%Name", "Ident", "\"text\"", "12", "-3", "1.5e3", "0x1F", "0b10",
        ",", "(", ")", "[", "]", "=", "\n", "\r\n", "UNINT", "ConRes", "CAL", "ALIGN", "// note\n", "ABSTRACT x\n"};
    Lcg random;
    std::string text = kValidTemplate;
    while (text.size() < kTenMegabytes) {
        text += kWords[random.next() % (sizeof kWords / sizeof kWords[0])];
        text += ' ';
    }
    Registry registry;
    const std::int32_t accepted = loadTdlText(registry, text, "soup.tdl");
    EXPECT_GE(accepted, 1);
    EXPECT_NE(registry.find(0, 25), nullptr);
    EXPECT_FALSE(registry.diagnostics().empty());
}

}  // namespace
}  // namespace teds::tdl
