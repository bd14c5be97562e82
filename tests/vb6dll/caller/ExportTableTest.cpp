// The DLL's export table as a Visual Basic Declare meets it: every function
// of the header is found under the name this build exports it by (decorated
// on 32-bit Windows, plain on 64-bit Windows) and under no other spelling.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LoadedLibrary.hpp"

namespace teds::test {
namespace {

struct ExportRow {
    std::string exported;
    std::vector<std::string> others;
};

// The other spellings: the plain name, the decoration of Microsoft's
// compilers and the one gcc gives stdcall functions, less the exported one.
#define TEDS_ROW(function)                                                                           \
    [] {                                                                                             \
        const std::string decorated = decoratedName(#function, &function);                          \
        ExportRow row{exportedName(#function, &function), {}};                                       \
        for (const std::string& spelling : {std::string(#function), decorated, decorated.substr(1)}) \
            if (spelling != row.exported) row.others.push_back(spelling);                            \
        return row;                                                                                  \
    }()

TEST(ExportTable, EveryFunctionIsFoundByItsExportedNameOnly) {
    const std::vector<ExportRow> rows = {
        TEDS_ROW(MirxTEDS_GetVersion),         TEDS_ROW(MirxTEDS_CheckVersion),
        TEDS_ROW(MirxTEDS_ParserCreate),       TEDS_ROW(MirxTEDS_ParserDestroy),
        TEDS_ROW(MirxTEDS_ParseTDLFile),       TEDS_ROW(MirxTEDS_ParseTEDS),
        TEDS_ROW(MirxTEDS_FreeTEDS),           TEDS_ROW(MirxTEDS_GetBasicTEDS),
        TEDS_ROW(MirxTEDS_GetNumberTemplates), TEDS_ROW(MirxTEDS_GetTemplateInfo),
        TEDS_ROW(MirxTEDS_GetTotalPropertyCount), TEDS_ROW(MirxTEDS_GetPropertyCount),
        TEDS_ROW(MirxTEDS_HasProperty),        TEDS_ROW(MirxTEDS_GetPropertyByIdx),
        TEDS_ROW(MirxTEDS_GetPropertyByIdxEx), TEDS_ROW(MirxTEDS_GetPropertyValue),
        TEDS_ROW(MirxTEDS_GetPropertyValueEx), TEDS_ROW(MirxTEDS_GetScale),
        TEDS_ROW(MirxTEDS_ScaleValue),         TEDS_ROW(MirxTEDS_ScaleArray),
    };
    const HMODULE module = loadedLibrary();
    for (const ExportRow& row : rows) {
        EXPECT_NE(GetProcAddress(module, row.exported.c_str()), nullptr) << row.exported;
        for (const std::string& other : row.others) EXPECT_EQ(GetProcAddress(module, other.c_str()), nullptr) << other;
    }
}

}  // namespace
}  // namespace teds::test
