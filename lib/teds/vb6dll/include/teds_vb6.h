/*
 * teds_vb6: decodes IEEE 1451.4 TEDS images against TDL templates.
 *
 * A caller creates a parser, loads TDL files into it, decodes images with it
 * and queries the decoded handle; then frees every decoded handle before it
 * destroys the parser. No function reports an error: a bad handle, an index
 * out of range or a failed load gives 0, null or an empty output.
 *
 * Handles are checked before use. A handle is bad when it is null, was never
 * issued by this library, has been released (FreeTEDS, ParserDestroy), or is
 * of the other kind (a parser where a decoded handle is expected, or the
 * reverse); a function given a bad handle gives the result it gives for a
 * null handle and reads no memory through it. Handles are numbers that fit
 * 32 bits and are not reused, so a stale one stays bad. Destroying a parser
 * also releases every decoded handle it issued; they are bad from then on,
 * and freeing them afterwards does nothing. The checks hold when several
 * threads call at once; queries on one decoded handle may run side by side.
 *
 * On Windows the functions use the OLE Automation types of <oleauto.h>. The
 * 32-bit DLL, teds_vb6.dll, uses the stdcall convention and exports the
 * decorated names (_MirxTEDS_ParseTEDS@12); the 64-bit DLL, teds_vb6_x64.dll,
 * uses the one convention of x64, where stdcall means nothing, and exports
 * the plain names. Handles and pointers are 64 bits wide there; every other
 * parameter keeps its width. Elsewhere the library carries a small OLE
 * Automation layer of its own with the same names, layouts and semantics,
 * declared below, so that a caller can read and release what it receives.
 *
 * Compiles as C and as C++.
 */
#ifndef TEDS_VB6_H
#define TEDS_VB6_H

#include <stdint.h>

#if defined(_WIN32)
/* Keep <windows.h> from defining min and max macros in the caller's code. */
#  ifndef NOMINMAX
#    define NOMINMAX
#    define TEDS_VB6_DEFINED_NOMINMAX
#  endif
#  include <windows.h>
#  include <oleauto.h>
#  ifdef TEDS_VB6_DEFINED_NOMINMAX
#    undef NOMINMAX
#    undef TEDS_VB6_DEFINED_NOMINMAX
#  endif
/* The module-definition file of the DLL names its exports; dllexport would
 * add a second, differently decorated name for every function. */
#  define TEDS_VB6_API
#  define TEDS_VB6_CALL __stdcall
#else
#  define TEDS_VB6_API __attribute__((visibility("default")))
#  define TEDS_VB6_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if !defined(_WIN32)
/* ---- OLE Automation layer (Windows layouts) ------------------------------ */

#  ifdef __cplusplus
typedef char16_t OLECHAR;
#  else
typedef uint16_t OLECHAR;
#  endif
/* Points at the first code unit; a 32-bit byte length sits just before it
 * and a 16-bit NUL just after the last byte. */
typedef OLECHAR* BSTR;
typedef uint16_t VARTYPE;
typedef double DATE;
typedef int32_t HRESULT;
typedef int16_t VARIANT_BOOL;

enum VARENUM {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_RECORD = 36,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000
};

#  ifndef S_OK
#    define S_OK ((HRESULT)0)
#  endif
#  ifndef E_INVALIDARG
#    define E_INVALIDARG ((HRESULT)0x80070057L)
#  endif
#  ifndef E_OUTOFMEMORY
#    define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#  endif
#  ifndef DISP_E_BADINDEX
#    define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#  endif
#  ifndef DISP_E_ARRAYISLOCKED
#    define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000DL)
#  endif

typedef struct tagSAFEARRAYBOUND {
    uint32_t cElements;
    int32_t lLbound;
} SAFEARRAYBOUND;

/* rgsabound holds cDims bounds, the last dimension first, as on Windows. */
typedef struct tagSAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    uint32_t cbElements;
    uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;

/* vt at offset 0, the value at offset 8; 16 bytes on 32-bit builds and 24
 * on 64-bit ones, where the record member of Windows widens the union. */
typedef struct tagVARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        int64_t llVal;
        uint64_t ullVal;
        int32_t lVal;
        uint32_t ulVal;
        int32_t intVal;
        uint32_t uintVal;
        int16_t iVal;
        uint16_t uiVal;
        int8_t cVal;
        uint8_t bVal;
        float fltVal;
        double dblVal;
        DATE date;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        BSTR bstrVal;
        SAFEARRAY* parray;
        void* byref;
        struct {
            void* pvRecord;
            void* pRecInfo;
        } brecVal;
    };
} VARIANT;
typedef VARIANT VARIANTARG;

TEDS_VB6_API BSTR SysAllocStringByteLen(const char* psz, uint32_t len);
TEDS_VB6_API BSTR SysAllocStringLen(const OLECHAR* strIn, uint32_t ui);
TEDS_VB6_API int32_t SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, uint32_t len);
TEDS_VB6_API void SysFreeString(BSTR bstrString);
TEDS_VB6_API uint32_t SysStringLen(BSTR pbstr);
TEDS_VB6_API uint32_t SysStringByteLen(BSTR bstr);

TEDS_VB6_API void VariantInit(VARIANTARG* pvarg);
TEDS_VB6_API HRESULT VariantClear(VARIANTARG* pvarg);

TEDS_VB6_API SAFEARRAY* SafeArrayCreate(VARTYPE vt, uint32_t cDims, SAFEARRAYBOUND* rgsabound);
TEDS_VB6_API HRESULT SafeArrayDestroy(SAFEARRAY* psa);
TEDS_VB6_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, uint32_t nDim, int32_t* plLbound);
TEDS_VB6_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, uint32_t nDim, int32_t* plUbound);
TEDS_VB6_API HRESULT SafeArrayGetElement(SAFEARRAY* psa, int32_t* rgIndices, void* pv);
#endif /* !_WIN32 */

/* ---- The library --------------------------------------------------------- */

/* Owns the templates loaded from TDL files. Opaque: a number stored in a
 * pointer type, never an address to dereference. */
typedef struct MirxTedsParser* TedsParser;
/* Everything decoded from one image; refers to templates of its parser, and
 * is released with it. Opaque as well. */
typedef struct MirxDecodedTeds* DecodedTeds;

/* "0.1"; a static text the caller must not free. */
TEDS_VB6_API const char* TEDS_VB6_CALL MirxTEDS_GetVersion(void);
/* 1 when this library serves callers written for `version`, else 0. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_CheckVersion(int32_t version);

TEDS_VB6_API TedsParser TEDS_VB6_CALL MirxTEDS_ParserCreate(void);
TEDS_VB6_API void TEDS_VB6_CALL MirxTEDS_ParserDestroy(TedsParser parser);
/* Number of templates of the file that the parser accepted. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_ParseTDLFile(TedsParser parser, const char* path);

/* A new handle (null only for a bad parser handle or lack of memory); free it with
 * MirxTEDS_FreeTEDS. The image is not kept. A negative length counts as 0. */
TEDS_VB6_API DecodedTeds TEDS_VB6_CALL MirxTEDS_ParseTEDS(TedsParser parser, const uint8_t* image,
                                                          int32_t length);
TEDS_VB6_API void TEDS_VB6_CALL MirxTEDS_FreeTEDS(DecodedTeds teds);

TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetBasicTEDS(DecodedTeds teds, int32_t* manufacturerId,
                                                         int32_t* modelNumber, char* versionLetter,
                                                         int32_t* versionNumber, int32_t* serialNumber);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetNumberTemplates(DecodedTeds teds);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetTemplateInfo(DecodedTeds teds, uint32_t templateIndex,
                                                            int32_t* manufacturerKey, int32_t* templateId);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetTotalPropertyCount(DecodedTeds teds, uint32_t templateIndex);

TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyCount(DecodedTeds teds, uint32_t templateIndex,
                                                             const char* name);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_HasProperty(DecodedTeds teds, uint32_t templateIndex,
                                                        const char* name);

/* Every output pointer may be null. On failure the text outputs are
 * released and left null; the value, the unit array and the status keep
 * what they held.
 *
 * The value's type follows its kind: VT_BSTR for a text, VT_R8 for a real,
 * VT_DATE for a date, VT_UI4 for an unsigned number and for the index of an
 * enumeration entry, VT_EMPTY for no value. Templates may declare numbers of
 * up to 64 bits; a number or index above 4294967295, which VT_UI4 cannot
 * hold, keeps the type VT_UI4 and gives its low 32 bits, as it always has
 * (teds_edit.hpp and tedsdump show it whole). A VT_DATE, being a double,
 * holds the whole day count, also past the year 9999. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdx(DecodedTeds teds, uint32_t templateIndex,
                                                             int32_t propertyIndex, BSTR* name,
                                                             VARIANT* value, BSTR* unit);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdxEx(DecodedTeds teds, uint32_t templateIndex,
                                                               int32_t propertyIndex, BSTR* name,
                                                               VARIANT* value, BSTR* unit,
                                                               VARIANT* unitArray, int32_t* status);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValue(DecodedTeds teds, uint32_t templateIndex,
                                                             const char* name, uint32_t occurrence,
                                                             VARIANT* value, BSTR* unit);
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValueEx(DecodedTeds teds, uint32_t templateIndex,
                                                               const char* name, uint32_t occurrence,
                                                               VARIANT* value, BSTR* unit,
                                                               VARIANT* unitArray, int32_t* status);

/* ---- Scaling --------------------------------------------------------------
 * How a template turns the electrical value a channel measures (V, A, Ohm,
 * or V/V for a bridge) into the physical value its sensor senses, and back.
 * Temperatures are in degC, a thermocouple's emf in V (not mV).
 *
 * What the channel knows that the TEDS does not is passed as three values;
 * `given` says which of them count (the sum of the flags below), the others
 * are ignored whatever they hold. A scale uses only those it needs. */
#define MIRX_TEDS_COLD_JUNCTION 1 /* coldJunctionC: a thermocouple's reference junction, degC */
#define MIRX_TEDS_EXCITATION 2    /* excitationV: a bridge's excitation, V; its input is then V, not V/V */
#define MIRX_TEDS_R0 4            /* r0Ohm: an RTD's resistance at 0 degC, overriding the template's */

/* 1 when the template has a scale: its kind (1 sensitivity, 2 two-point,
 * 3 thermocouple, 4 RTD, 5 thermistor), its units, the electrical values it
 * converts (+-infinity for an open end, NaN when the range depends on a value
 * not given) and a text describing it, one item per line, lines separated by
 * CR LF: "quantity: temperature", each constant as "name: value unit", each
 * note as "note: ...". 0 otherwise: for a good handle `text` then holds the
 * reason there is no scale, the other texts are released, and the numbers
 * keep what they held. For a bad handle every text is released. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_GetScale(DecodedTeds teds, uint32_t templateIndex, int32_t given,
                                                     double coldJunctionC, double excitationV, double r0Ohm,
                                                     int32_t* kind, BSTR* inputUnit, BSTR* outputUnit,
                                                     double* validLow, double* validHigh, BSTR* text);
/* One value: electrical to physical, or physical to electrical when
 * `inverse` is non-zero. 1, the result, and `reason` released; 0, NaN and
 * the reason when the value cannot be converted or the template has no
 * scale. For a bad handle 0, `reason` released and `result` untouched. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_ScaleValue(DecodedTeds teds, uint32_t templateIndex, int32_t given,
                                                       double coldJunctionC, double excitationV, double r0Ohm,
                                                       int32_t inverse, double value, double* result, BSTR* reason);
/* `count` values from `values` into `results`, which may be the same array
 * (but no other overlap); NaN for each value that cannot be converted, and
 * for every value when the template has no scale. Returns how many gave a
 * number. 0, with `results` untouched, for a bad handle, null arrays or a
 * count of 0 or less. */
TEDS_VB6_API int32_t TEDS_VB6_CALL MirxTEDS_ScaleArray(DecodedTeds teds, uint32_t templateIndex, int32_t given,
                                                       double coldJunctionC, double excitationV, double r0Ohm,
                                                       int32_t inverse, const double* values, double* results,
                                                       int32_t count);

#ifdef __cplusplus
}
#endif

#endif /* TEDS_VB6_H */
