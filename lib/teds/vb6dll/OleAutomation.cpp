// The OLE Automation functions that the exports use, for platforms without
// OLEAUT32. Layouts and results follow Windows, so that a caller that knows
// BSTR, VARIANT and SAFEARRAY can read and release what the library hands out.
#if !defined(_WIN32)

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Api.hpp"

static_assert(sizeof(OLECHAR) == 2);
static_assert(offsetof(VARIANT, vt) == 0);
static_assert(offsetof(VARIANT, dblVal) == 8);
static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16));
static_assert(offsetof(SAFEARRAY, cbElements) == 4);
static_assert(offsetof(SAFEARRAY, pvData) == (sizeof(void*) == 8 ? 16 : 12));

namespace {

// --- BSTR --------------------------------------------------------------------
// One block: a 32-bit byte length, the bytes, then two NUL bytes (a 16-bit NUL
// when the length is even, as it is for every string of code units).

constexpr std::uint32_t kBstrLengthBytes = sizeof(std::uint32_t);
// Windows refuses strings at and above 2 GiB; so do we, which also keeps the
// block size far from overflowing.
constexpr std::uint32_t kMaxBstrBytes = 0x7FFFFFF0u;

std::uint32_t* bstrHeader(BSTR text) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kBstrLengthBytes);
}

// A string of `bytes` bytes, filled from `source` or zeroed when it is null.
BSTR allocateBstr(const void* source, std::uint32_t bytes) {
    if (bytes > kMaxBstrBytes) return nullptr;
    auto* block = static_cast<char*>(std::malloc(std::size_t{kBstrLengthBytes} + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    std::memcpy(block, &bytes, kBstrLengthBytes);
    char* text = block + kBstrLengthBytes;
    if (source)
        std::memmove(text, source, bytes);
    else
        std::memset(text, 0, bytes);
    text[bytes] = 0;
    text[bytes + 1] = 0;
    return reinterpret_cast<BSTR>(text);
}

// --- SAFEARRAY ----------------------------------------------------------------
// As on Windows, the element type sits in the four bytes before the
// descriptor (flagged by FADF_HAVEVARTYPE); the block keeps 8 bytes there so
// that the descriptor's pointer member stays aligned.

constexpr std::uint16_t kHaveVarType = 0x0080;
constexpr std::size_t kVarTypePrefix = 8;
constexpr std::uint64_t kMaxArrayBytes = 0x7FFFFFFFu;

// Element size of the types this layer stores: plain values only. Arrays of
// strings, variants or interfaces would need their elements copied and freed
// one by one, which nothing in the library asks for.
std::uint32_t elementSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_DATE:
    case VT_CY:
        return 8;
    default:
        return 0;
    }
}

std::size_t descriptorBytes(std::uint32_t dims) {
    return sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND);
}

char* descriptorBlock(SAFEARRAY* array) {
    return reinterpret_cast<char*>(array) - kVarTypePrefix;
}

// The bound of dimension `dim` as callers number them (1 is the leftmost);
// the descriptor keeps them last dimension first.
const SAFEARRAYBOUND* boundOf(const SAFEARRAY* array, std::uint32_t dim) {
    if (dim < 1 || dim > array->cDims) return nullptr;
    return &array->rgsabound[array->cDims - dim];
}

}  // namespace

extern "C" {

BSTR SysAllocStringByteLen(const char* psz, uint32_t len) {
    return allocateBstr(psz, len);
}

BSTR SysAllocStringLen(const OLECHAR* strIn, uint32_t ui) {
    if (ui > kMaxBstrBytes / sizeof(OLECHAR)) return nullptr;
    return allocateBstr(strIn, ui * static_cast<std::uint32_t>(sizeof(OLECHAR)));
}

int32_t SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, uint32_t len) {
    if (!pbstr) return 0;
    BSTR old = *pbstr;
    // Allocated before the old string is freed: `psz` may point into it.
    BSTR fresh = SysAllocStringLen(psz, len);
    if (!fresh) return 0;
    if (!psz && old) {
        // No new content: the old content is kept as far as it fits.
        std::uint32_t keep = SysStringLen(old);
        if (keep > len) keep = len;
        std::memcpy(fresh, old, keep * sizeof(OLECHAR));
    }
    SysFreeString(old);
    *pbstr = fresh;
    return 1;
}

void SysFreeString(BSTR bstrString) {
    if (bstrString) std::free(bstrHeader(bstrString));
}

uint32_t SysStringLen(BSTR pbstr) {
    return pbstr ? *bstrHeader(pbstr) / sizeof(OLECHAR) : 0;
}

uint32_t SysStringByteLen(BSTR bstr) {
    return bstr ? *bstrHeader(bstr) : 0;
}

void VariantInit(VARIANTARG* pvarg) {
    if (pvarg) pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
    if (!pvarg) return E_INVALIDARG;
    // A reference owns nothing; interfaces and records have no owner here to
    // release them, so only strings and arrays are freed.
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            HRESULT result = SafeArrayDestroy(pvarg->parray);
            if (result != S_OK) return result;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        }
    }
    pvarg->vt = VT_EMPTY;
    return S_OK;
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, uint32_t cDims, SAFEARRAYBOUND* rgsabound) {
    if (!rgsabound || cDims < 1 || cDims > 0xFFFF) return nullptr;
    std::uint32_t size = elementSize(vt);
    if (size == 0) return nullptr;

    std::uint64_t bytes = size;
    for (std::uint32_t i = 0; i < cDims; ++i) {
        bytes *= rgsabound[i].cElements;
        if (bytes > kMaxArrayBytes) return nullptr;
    }

    auto* block = static_cast<char*>(std::calloc(1, kVarTypePrefix + descriptorBytes(cDims)));
    if (!block) return nullptr;
    void* data = std::calloc(1, bytes ? static_cast<std::size_t>(bytes) : 1);
    if (!data) {
        std::free(block);
        return nullptr;
    }
    std::uint32_t storedType = vt;
    std::memcpy(block + kVarTypePrefix - sizeof storedType, &storedType, sizeof storedType);

    auto* array = reinterpret_cast<SAFEARRAY*>(block + kVarTypePrefix);
    array->cDims = static_cast<std::uint16_t>(cDims);
    array->fFeatures = kHaveVarType;
    array->cbElements = size;
    array->cLocks = 0;
    array->pvData = data;
    for (std::uint32_t i = 0; i < cDims; ++i) array->rgsabound[cDims - 1 - i] = rgsabound[i];
    return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    if (psa->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    std::free(psa->pvData);
    std::free(descriptorBlock(psa));
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, uint32_t nDim, int32_t* plLbound) {
    if (!psa || !plLbound) return E_INVALIDARG;
    const SAFEARRAYBOUND* bound = boundOf(psa, nDim);
    if (!bound) return DISP_E_BADINDEX;
    *plLbound = bound->lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, uint32_t nDim, int32_t* plUbound) {
    if (!psa || !plUbound) return E_INVALIDARG;
    const SAFEARRAYBOUND* bound = boundOf(psa, nDim);
    if (!bound) return DISP_E_BADINDEX;
    *plUbound = static_cast<std::int32_t>(static_cast<std::int64_t>(bound->lLbound) + bound->cElements - 1);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, int32_t* rgIndices, void* pv) {
    if (!psa || !rgIndices || !pv) return E_INVALIDARG;
    // rgIndices[0] is the leftmost dimension, which varies fastest in memory.
    std::uint64_t cell = 0;
    std::uint64_t stride = 1;
    for (std::uint32_t dim = 1; dim <= psa->cDims; ++dim) {
        const SAFEARRAYBOUND* bound = boundOf(psa, dim);
        std::int64_t offset = static_cast<std::int64_t>(rgIndices[dim - 1]) - bound->lLbound;
        if (offset < 0 || offset >= static_cast<std::int64_t>(bound->cElements)) return DISP_E_BADINDEX;
        cell += static_cast<std::uint64_t>(offset) * stride;
        stride *= bound->cElements;
    }
    std::memcpy(pv, static_cast<char*>(psa->pvData) + cell * psa->cbElements, psa->cbElements);
    return S_OK;
}

}  // extern "C"

#endif  // !_WIN32
