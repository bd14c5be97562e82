#pragma once
// What a caller of the library needs around the exports: images built bit by
// bit, TDL text written to a file, and owners for the BSTRs, VARIANTs and
// handles it receives.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <teds_vb6.h>

namespace teds::test {

// The 32-bit signed integer of the OLE Automation signatures.
#if defined(_WIN32)
using OleLong = LONG;
#else
using OleLong = std::int32_t;
#endif

// Builds an image least significant bit first, the bit order of TEDS memory.
class ImageWriter {
public:
    ImageWriter& bits(std::uint32_t width, std::uint64_t value);
    // The 64-bit Basic TEDS in the standard 14/15/5/6/24 split.
    ImageWriter& standardBasicTeds(std::uint32_t manufacturer, std::uint32_t model, std::uint32_t letterCode,
                                   std::uint32_t version, std::uint32_t serial);
    // The early 12/16/5/6/25 split.
    ImageWriter& earlyBasicTeds(std::uint32_t manufacturer, std::uint32_t model, std::uint32_t letterCode,
                                std::uint32_t version, std::uint32_t serial);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::int32_t length() const { return static_cast<std::int32_t>(bytes_.size()); }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t bitCount_ = 0;
};

// A TDL text in a file of its own for as long as the object lives.
class TdlFile {
public:
    explicit TdlFile(std::string_view text);
    ~TdlFile();
    TdlFile(const TdlFile&) = delete;
    TdlFile& operator=(const TdlFile&) = delete;
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

struct OwnedBstr {
    BSTR value = nullptr;
    OwnedBstr() = default;
    explicit OwnedBstr(std::string_view bytes);
    ~OwnedBstr() { SysFreeString(value); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    BSTR* out() { return &value; }
};

struct OwnedVariant {
    VARIANT value;
    OwnedVariant() { VariantInit(&value); }
    ~OwnedVariant() { VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT* out() { return &value; }
};

// The bytes of a string that carries single-byte text.
std::string byteText(BSTR text);
// The code units of a string that carries wide text.
std::u16string wideText(BSTR text);
// The elements of a one-dimensional VT_R8 array, read through its bounds.
std::vector<double> arrayOfDoubles(const VARIANT& variant);

// A parser with TDL texts loaded, and the handles decoded with it, which it
// frees before it destroys the parser.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::int32_t load(std::string_view tdlText);
    DecodedTeds decode(const ImageWriter& image);
    TedsParser parser() const { return parser_; }

private:
    TedsParser parser_;
    std::vector<DecodedTeds> decoded_;
};

}  // namespace teds::test
