#include "LoadedLibrary.hpp"

#include <cstdio>
#include <cstdlib>

namespace teds::test {

HMODULE loadedLibrary() {
    // The plain file name, as a Declare's Lib clause gives it: Windows finds
    // the DLL in the folder of the executable.
    static const HMODULE module = [] {
        HMODULE loaded = LoadLibraryA(TEDS_DLL_NAME);
        if (!loaded) {
            std::fprintf(stderr, "LoadLibrary(\"%s\") failed with error %lu\n", TEDS_DLL_NAME, GetLastError());
            std::abort();
        }
        return loaded;
    }();
    return module;
}

}  // namespace teds::test

namespace {

// The function of the loaded DLL that stands behind `Function` of the header.
template <auto Function>
decltype(Function) resolved(const char* name) {
    static const decltype(Function) pointer = [name] {
        const std::string exported = teds::test::exportedName(name, Function);
        FARPROC address = GetProcAddress(teds::test::loadedLibrary(), exported.c_str());
        if (!address) {
            std::fprintf(stderr, "%s exports no %s\n", TEDS_DLL_NAME, exported.c_str());
            std::abort();
        }
        // Through the generic function pointer type, which converts to any other.
        return reinterpret_cast<decltype(Function)>(reinterpret_cast<void (*)()>(address));
    }();
    return pointer;
}

}  // namespace

#define TEDS_LOADED(name) resolved<&name>(#name)

const char* TEDS_VB6_CALL MirxTEDS_GetVersion(void) {
    return TEDS_LOADED(MirxTEDS_GetVersion)();
}

int32_t TEDS_VB6_CALL MirxTEDS_CheckVersion(int32_t version) {
    return TEDS_LOADED(MirxTEDS_CheckVersion)(version);
}

TedsParser TEDS_VB6_CALL MirxTEDS_ParserCreate(void) {
    return TEDS_LOADED(MirxTEDS_ParserCreate)();
}

void TEDS_VB6_CALL MirxTEDS_ParserDestroy(TedsParser parser) {
    TEDS_LOADED(MirxTEDS_ParserDestroy)(parser);
}

int32_t TEDS_VB6_CALL MirxTEDS_ParseTDLFile(TedsParser parser, const char* path) {
    return TEDS_LOADED(MirxTEDS_ParseTDLFile)(parser, path);
}

DecodedTeds TEDS_VB6_CALL MirxTEDS_ParseTEDS(TedsParser parser, const uint8_t* image, int32_t length) {
    return TEDS_LOADED(MirxTEDS_ParseTEDS)(parser, image, length);
}

void TEDS_VB6_CALL MirxTEDS_FreeTEDS(DecodedTeds teds) {
    TEDS_LOADED(MirxTEDS_FreeTEDS)(teds);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetBasicTEDS(DecodedTeds teds, int32_t* manufacturerId, int32_t* modelNumber,
                                           char* versionLetter, int32_t* versionNumber, int32_t* serialNumber) {
    return TEDS_LOADED(MirxTEDS_GetBasicTEDS)(teds, manufacturerId, modelNumber, versionLetter, versionNumber,
                                              serialNumber);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetNumberTemplates(DecodedTeds teds) {
    return TEDS_LOADED(MirxTEDS_GetNumberTemplates)(teds);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTemplateInfo(DecodedTeds teds, uint32_t templateIndex, int32_t* manufacturerKey,
                                              int32_t* templateId) {
    return TEDS_LOADED(MirxTEDS_GetTemplateInfo)(teds, templateIndex, manufacturerKey, templateId);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTotalPropertyCount(DecodedTeds teds, uint32_t templateIndex) {
    return TEDS_LOADED(MirxTEDS_GetTotalPropertyCount)(teds, templateIndex);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyCount(DecodedTeds teds, uint32_t templateIndex, const char* name) {
    return TEDS_LOADED(MirxTEDS_GetPropertyCount)(teds, templateIndex, name);
}

int32_t TEDS_VB6_CALL MirxTEDS_HasProperty(DecodedTeds teds, uint32_t templateIndex, const char* name) {
    return TEDS_LOADED(MirxTEDS_HasProperty)(teds, templateIndex, name);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdx(DecodedTeds teds, uint32_t templateIndex, int32_t propertyIndex,
                                               BSTR* name, VARIANT* value, BSTR* unit) {
    return TEDS_LOADED(MirxTEDS_GetPropertyByIdx)(teds, templateIndex, propertyIndex, name, value, unit);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdxEx(DecodedTeds teds, uint32_t templateIndex, int32_t propertyIndex,
                                                 BSTR* name, VARIANT* value, BSTR* unit, VARIANT* unitArray,
                                                 int32_t* status) {
    return TEDS_LOADED(MirxTEDS_GetPropertyByIdxEx)(teds, templateIndex, propertyIndex, name, value, unit,
                                                    unitArray, status);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValue(DecodedTeds teds, uint32_t templateIndex, const char* name,
                                               uint32_t occurrence, VARIANT* value, BSTR* unit) {
    return TEDS_LOADED(MirxTEDS_GetPropertyValue)(teds, templateIndex, name, occurrence, value, unit);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValueEx(DecodedTeds teds, uint32_t templateIndex, const char* name,
                                                 uint32_t occurrence, VARIANT* value, BSTR* unit,
                                                 VARIANT* unitArray, int32_t* status) {
    return TEDS_LOADED(MirxTEDS_GetPropertyValueEx)(teds, templateIndex, name, occurrence, value, unit, unitArray,
                                                    status);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetScale(DecodedTeds teds, uint32_t templateIndex, int32_t given, double coldJunctionC,
                                       double excitationV, double r0Ohm, int32_t* kind, BSTR* inputUnit,
                                       BSTR* outputUnit, double* validLow, double* validHigh, BSTR* text) {
    return TEDS_LOADED(MirxTEDS_GetScale)(teds, templateIndex, given, coldJunctionC, excitationV, r0Ohm, kind,
                                          inputUnit, outputUnit, validLow, validHigh, text);
}

int32_t TEDS_VB6_CALL MirxTEDS_ScaleValue(DecodedTeds teds, uint32_t templateIndex, int32_t given,
                                         double coldJunctionC, double excitationV, double r0Ohm, int32_t inverse,
                                         double value, double* result, BSTR* reason) {
    return TEDS_LOADED(MirxTEDS_ScaleValue)(teds, templateIndex, given, coldJunctionC, excitationV, r0Ohm, inverse,
                                            value, result, reason);
}

int32_t TEDS_VB6_CALL MirxTEDS_ScaleArray(DecodedTeds teds, uint32_t templateIndex, int32_t given,
                                         double coldJunctionC, double excitationV, double r0Ohm, int32_t inverse,
                                         const double* values, double* results, int32_t count) {
    return TEDS_LOADED(MirxTEDS_ScaleArray)(teds, templateIndex, given, coldJunctionC, excitationV, r0Ohm, inverse,
                                            values, results, count);
}
