#include "teds/types/UnitRecord.hpp"

#include <boost/format.hpp>

namespace teds::types {

const std::array<const char*, kBaseUnitCount> kBaseUnitSymbols = {"rad", "ster", "m",   "kg", "s",
                                                                  "A",   "K",    "mol", "cd"};

std::string productText(const std::array<std::int32_t, kBaseUnitCount>& exponents) {
    std::string product;
    for (std::size_t i = 0; i < kBaseUnitCount; ++i) {
        const std::int32_t e = exponents[i];
        if (e == 0) continue;
        // The symbol alone for exponent 1, else the symbol and the signed
        // exponent in decimal ("%s%d"); built by hand because every loaded
        // unit goes through here.
        if (!product.empty()) product += '*';
        product += kBaseUnitSymbols[i];
        if (e != 1) product += std::to_string(e);
    }
    return product;
}

namespace {

// Callers may size their buffers by this bound. No record comes near it:
// the longest text (type 6, nine exponents of -2^31, slope and offset of
// -DBL_MAX printed in full) has 908 characters.
constexpr std::size_t kMaxUnitTextLength = 1023;

std::string baseText(UnitType unitType, const std::string& p) {
    switch (unitType) {
    case UnitType::Product: return "(" + p + ")";
    case UnitType::Ratio: return "(" + p + ")/(" + p + ")";
    case UnitType::LogRatio: return "log10((" + p + ")/(" + p + "))";
    case UnitType::NoUnit: return "No Unit";
    case UnitType::InverseLogRatio: return "1/(log10((" + p + ")/(" + p + ")))";
    case UnitType::Invalid: return "Invalid";
    // Callers receive "TODO" for these two types and may compare against
    // it, so the placeholder stays the text they are given.
    case UnitType::Log:
    case UnitType::Arbitrary: return "TODO";
    default: return {};
    }
}

}  // namespace

std::string buildUnitText(UnitType unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                          double slope, double offset) {
    std::string text = baseText(unitType, productText(exponents));
    // "No Unit" and "Invalid" carry no scale of their own.
    if (unitType != UnitType::NoUnit && unitType != UnitType::Invalid) {
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

}  // namespace teds::types

namespace teds {

UnitRecord UnitRecord::make(UnitType unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                            double slope, double offset) {
    UnitRecord r;
    r.text = types::buildUnitText(unitType, exponents, slope, offset);
    r.unitType = unitType;
    r.exponents = exponents;
    r.slope = slope;
    r.offset = offset;
    return r;
}

std::array<double, 12> UnitRecord::asArray() const {
    std::array<double, 12> a{};
    a[0] = static_cast<std::int32_t>(unitType);
    for (std::size_t i = 0; i < kBaseUnitCount; ++i) a[1 + i] = exponents[i];
    a[10] = slope;
    a[11] = offset;
    return a;
}

}  // namespace teds
