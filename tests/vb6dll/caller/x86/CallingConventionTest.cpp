// The calling convention as a 32-bit Visual Basic Declare meets it: every
// function removes exactly its own arguments from the stack when it returns,
// and answers arguments of zero with its neutral result.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "caller/LoadedLibrary.hpp"
#include "StackProbe.hpp"

namespace teds::test {
namespace {

// What a function answers when every argument is zero: null handles, null
// pointers, index 0, version 0.
enum class ZeroAnswer { Zero, NonZero, None };

struct ExportRow {
    std::string name;
    std::string decorated;
    std::uint32_t argumentBytes;
    ZeroAnswer answer;
};

#define TEDS_ROW(function, answer) ExportRow{#function, decoratedName(#function, &function), argumentBytes(&function), answer}

const std::vector<ExportRow>& exportRows() {
    static const std::vector<ExportRow> rows = {
        TEDS_ROW(MirxTEDS_GetVersion, ZeroAnswer::NonZero),
        TEDS_ROW(MirxTEDS_CheckVersion, ZeroAnswer::NonZero),
        TEDS_ROW(MirxTEDS_ParserCreate, ZeroAnswer::NonZero),
        TEDS_ROW(MirxTEDS_ParserDestroy, ZeroAnswer::None),
        TEDS_ROW(MirxTEDS_ParseTDLFile, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_ParseTEDS, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_FreeTEDS, ZeroAnswer::None),
        TEDS_ROW(MirxTEDS_GetBasicTEDS, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetNumberTemplates, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetTemplateInfo, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetTotalPropertyCount, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetPropertyCount, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_HasProperty, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetPropertyByIdx, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetPropertyByIdxEx, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetPropertyValue, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetPropertyValueEx, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_GetScale, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_ScaleValue, ZeroAnswer::Zero),
        TEDS_ROW(MirxTEDS_ScaleArray, ZeroAnswer::Zero),
    };
    return rows;
}

TEST(CallingConvention, EveryFunctionRemovesExactlyItsArguments) {
    for (const ExportRow& row : exportRows()) {
        const FARPROC function = GetProcAddress(loadedLibrary(), row.decorated.c_str());
        ASSERT_NE(function, nullptr) << row.decorated;
        const std::vector<std::uint32_t> zeros(row.argumentBytes / 4, 0);
        const ProbedCall call = probeCall(reinterpret_cast<const void*>(function), zeros);
        EXPECT_EQ(call.bytesPopped, row.argumentBytes) << row.decorated;
        if (row.answer == ZeroAnswer::Zero) {
            EXPECT_EQ(call.result, 0u) << row.decorated;
        } else if (row.answer == ZeroAnswer::NonZero) {
            EXPECT_NE(call.result, 0u) << row.decorated;
        }
        if (row.name == "MirxTEDS_ParserCreate" && call.result)
            MirxTEDS_ParserDestroy(reinterpret_cast<TedsParser>(static_cast<std::uintptr_t>(call.result)));
    }
}

TEST(CallingConvention, ProbeTellsCallerCleanupFromCalleeCleanup) {
    // The probe itself, on functions whose convention is known: a cdecl
    // function leaves its arguments for the caller, a stdcall one does not.
    struct Local {
        static std::uint32_t __cdecl sumCdecl(std::uint32_t a, std::uint32_t b) { return a + b; }
        static std::uint32_t __stdcall sumStdcall(std::uint32_t a, std::uint32_t b) { return a - b; }
    };
    const ProbedCall cdeclCall = probeCall(reinterpret_cast<const void*>(&Local::sumCdecl), {7, 5});
    EXPECT_EQ(cdeclCall.result, 12u);
    EXPECT_EQ(cdeclCall.bytesPopped, 0u);
    const ProbedCall stdcallCall = probeCall(reinterpret_cast<const void*>(&Local::sumStdcall), {7, 5});
    EXPECT_EQ(stdcallCall.result, 2u);
    EXPECT_EQ(stdcallCall.bytesPopped, 8u);
}

}  // namespace
}  // namespace teds::test
