#include "teds/types/UnitRecord.hpp"

#include <boost/format.hpp>

namespace teds::types {

const std::array<const char*, kBaseUnitCount> kBaseUnitSymbols = {"rad", "ster", "m",   "kg", "s",
                                                                  "A",   "K",    "mol", "cd"};

namespace {

// Callers may size their buffers by this bound. No record comes near it:
// the longest text (type 6, nine exponents of -2^31, slope and offset of
// -DBL_MAX printed in full) has 908 characters.
constexpr std::size_t kMaxUnitTextLength = 1023;

std::string productText(const std::array<std::int32_t, kBaseUnitCount>& exponents) {
    std::string product;
    for (std::size_t i = 0; i < kBaseUnitCount; ++i) {
        const std::int32_t e = exponents[i];
        if (e == 0) continue;
        if (!product.empty()) product += '*';
        if (e == 1)
            product += (boost::format("%s") % kBaseUnitSymbols[i]).str();
        else
            product += (boost::format("%s%d") % kBaseUnitSymbols[i] % e).str();
    }
    return product;
}

std::string baseText(std::int32_t unitType, const std::string& p) {
    switch (unitType) {
    case 0: return (boost::format("(%s)") % p).str();
    case 1: return (boost::format("(%s)/(%s)") % p % p).str();
    case 2: return "TODO";
    case 3: return (boost::format("log10((%s)/(%s))") % p % p).str();
    case 4: return "No Unit";
    case 5: return "TODO";
    case 6: return (boost::format("1/(log10((%s)/(%s)))") % p % p).str();
    case 7: return "Invalid";
    default: return {};
    }
}

}  // namespace

std::string buildUnitText(std::int32_t unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                          double slope, double offset) {
    std::string text = baseText(unitType, productText(exponents));
    // "No Unit" and "Invalid" carry no scale of their own.
    if (unitType != 4 && unitType != 7) {
        if (offset == 0.0 && slope != 1.0)
            text = (boost::format("%f * %s") % slope % text).str();
        else if (offset != 0.0 && slope == 1.0)
            text = (boost::format("%s + %f") % text % offset).str();
        else if (offset != 0.0 && slope != 1.0)
            text = (boost::format("%f * (%s + %f)") % slope % text % offset).str();
    }
    if (text.size() > kMaxUnitTextLength) text.resize(kMaxUnitTextLength);
    return text;
}

UnitRecord UnitRecord::make(std::int32_t unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                            double slope, double offset) {
    UnitRecord r;
    r.text = buildUnitText(unitType, exponents, slope, offset);
    r.unitType = unitType;
    r.exponents = exponents;
    r.slope = slope;
    r.offset = offset;
    return r;
}

std::array<double, 12> UnitRecord::asArray() const {
    std::array<double, 12> a{};
    a[0] = unitType;
    for (std::size_t i = 0; i < kBaseUnitCount; ++i) a[1 + i] = exponents[i];
    a[10] = slope;
    a[11] = offset;
    return a;
}

}  // namespace teds::types
