#include "CallerSupport.hpp"

#include <atomic>
#include <fstream>
#include <stdexcept>

namespace teds::test {

ImageWriter& ImageWriter::bits(std::uint32_t width, std::uint64_t value) {
    for (std::uint32_t i = 0; i < width; ++i, ++bitCount_) {
        if (bitCount_ % 8 == 0) bytes_.push_back(0);
        if ((value >> i) & 1u) bytes_.back() |= static_cast<std::uint8_t>(1u << (bitCount_ % 8));
    }
    return *this;
}

ImageWriter& ImageWriter::standardBasicTeds(std::uint32_t manufacturer, std::uint32_t model,
                                            std::uint32_t letterCode, std::uint32_t version,
                                            std::uint32_t serial) {
    return bits(14, manufacturer).bits(15, model).bits(5, letterCode).bits(6, version).bits(24, serial);
}

ImageWriter& ImageWriter::earlyBasicTeds(std::uint32_t manufacturer, std::uint32_t model,
                                         std::uint32_t letterCode, std::uint32_t version, std::uint32_t serial) {
    return bits(12, manufacturer).bits(16, model).bits(5, letterCode).bits(6, version).bits(25, serial);
}

TdlFile::TdlFile(std::string_view text) {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("teds_vb6_test_" + std::to_string(counter++) + ".tdl");
    std::ofstream out(path_, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path_.string());
}

TdlFile::~TdlFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

OwnedBstr::OwnedBstr(std::string_view bytes)
    : value(SysAllocStringByteLen(bytes.data(), static_cast<unsigned>(bytes.size()))) {}

std::string byteText(BSTR text) {
    if (!text) return {};
    return std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

std::u16string wideText(BSTR text) {
    if (!text) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::vector<double> arrayOfDoubles(const VARIANT& variant) {
    std::vector<double> numbers;
    SAFEARRAY* array = variant.parray;
    if (variant.vt != (VT_ARRAY | VT_R8) || !array || array->cDims != 1) return numbers;
    OleLong lower = 0;
    OleLong upper = -1;
    if (SafeArrayGetLBound(array, 1, &lower) != S_OK || SafeArrayGetUBound(array, 1, &upper) != S_OK)
        return numbers;
    for (OleLong i = lower; i <= upper; ++i) {
        double number = 0;
        if (SafeArrayGetElement(array, &i, &number) != S_OK) break;
        numbers.push_back(number);
    }
    return numbers;
}

Session::Session() : parser_(MirxTEDS_ParserCreate()) {
    if (!parser_) throw std::runtime_error("no parser");
}

Session::~Session() {
    for (DecodedTeds teds : decoded_) MirxTEDS_FreeTEDS(teds);
    MirxTEDS_ParserDestroy(parser_);
}

std::int32_t Session::load(std::string_view tdlText) {
    TdlFile file(tdlText);
    return MirxTEDS_ParseTDLFile(parser_, file.path().c_str());
}

DecodedTeds Session::decode(const ImageWriter& image) {
    DecodedTeds teds = MirxTEDS_ParseTEDS(parser_, image.bytes().data(), image.length());
    if (teds) decoded_.push_back(teds);
    return teds;
}

}  // namespace teds::test
