// Drives the exported interface as a caller would: decode arbitrary bytes,
// read every property by position and by name with every output, scale
// through every template, free all.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzTemplates.hpp"
#include "teds_vb6.h"

namespace {

TedsParser exampleParser() {
    static TedsParser parser = [] {
        TedsParser p = MirxTEDS_ParserCreate();
        for (const std::string& file : teds::fuzz::exampleTemplateFiles()) MirxTEDS_ParseTDLFile(p, file.c_str());
        return p;
    }();
    return parser;
}

std::string narrow(BSTR text) {
    if (text == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto length = static_cast<std::int32_t>(size > (1u << 20) ? (1u << 20) : size);
    DecodedTeds teds = MirxTEDS_ParseTEDS(exampleParser(), data, length);
    if (teds == nullptr) __builtin_trap();

    int32_t mfgr = 0, model = 0, version = 0, serial = 0;
    char letter = 0;
    MirxTEDS_GetBasicTEDS(teds, &mfgr, &model, &letter, &version, &serial);

    BSTR name = nullptr, unit = nullptr;
    VARIANT value, unitArray;
    VariantInit(&value);
    VariantInit(&unitArray);
    int32_t status = -1;

    const int32_t templates = MirxTEDS_GetNumberTemplates(teds);
    // One index past the end, too: it must fail cleanly.
    for (int32_t t = 0; t <= templates; ++t) {
        int32_t key = 0, id = 0;
        MirxTEDS_GetTemplateInfo(teds, static_cast<uint32_t>(t), &key, &id);
        // Scaling with every channel value given, each way, one value and an
        // array in place; NaN is a result like any other here.
        int32_t kind = 0;
        double low = 0, high = 0, result = 0;
        double samples[3] = {-1.0, 0.001, 1000.0};
        MirxTEDS_GetScale(teds, static_cast<uint32_t>(t), 7, 25.0, 10.0, 100.0, &kind, &name, &unit, &low, &high,
                          &name);
        for (int32_t inverse = 0; inverse <= 1; ++inverse) {
            MirxTEDS_ScaleValue(teds, static_cast<uint32_t>(t), 7, 25.0, 10.0, 100.0, inverse, 0.002, &result, &unit);
            if (MirxTEDS_ScaleArray(teds, static_cast<uint32_t>(t), 7, 25.0, 10.0, 100.0, inverse, samples, samples,
                                    3) > 3)
                __builtin_trap();
        }
        const int32_t count = MirxTEDS_GetTotalPropertyCount(teds, static_cast<uint32_t>(t));
        std::vector<std::string> names;
        for (int32_t i = 0; i <= count; ++i) {
            if (MirxTEDS_GetPropertyByIdxEx(teds, static_cast<uint32_t>(t), i, &name, &value, &unit, &unitArray,
                                            &status))
                names.push_back(narrow(name));
        }
        for (const std::string& n : names) {
            const int32_t occurrences = MirxTEDS_GetPropertyCount(teds, static_cast<uint32_t>(t), n.c_str());
            if (occurrences <= 0 || !MirxTEDS_HasProperty(teds, static_cast<uint32_t>(t), n.c_str()))
                __builtin_trap();  // a name read by position must be found by name
            for (int32_t k = 0; k <= occurrences; ++k)
                MirxTEDS_GetPropertyValueEx(teds, static_cast<uint32_t>(t), n.c_str(), static_cast<uint32_t>(k), &value,
                                            &unit, &unitArray, &status);
        }
    }

    SysFreeString(name);
    SysFreeString(unit);
    VariantClear(&value);
    VariantClear(&unitArray);
    MirxTEDS_FreeTEDS(teds);
    return 0;
}
