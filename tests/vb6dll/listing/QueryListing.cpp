// Lists everything the exports answer for a set of images: the Basic TEDS,
// every template, every property by position and by name with every
// occurrence, through the plain and the Ex queries, and the failures one
// step past each end. Values are written exactly (doubles as their bits,
// texts as their bytes or code units), so that the listings of two builds
// of the library, made with the same program, are equal exactly when the
// builds answer alike.
//   query_listing TEMPLATES LISTING IMAGE...

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <teds_container.hpp>

#include "CallerSupport.hpp"

namespace teds::test {
namespace {

std::string bitsOf(double number) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    std::ostringstream out;
    out << std::hex << std::setw(16) << std::setfill('0') << bits;
    return out.str();
}

std::string quoted(const std::string& bytes) {
    std::ostringstream out;
    out << '"';
    for (unsigned char c : bytes) {
        // Quotes, backslashes and the characters CMake reads as list syntax are escaped too.
        if (c >= 0x20 && c < 0x7f && !std::strchr("\"\\;[]", c))
            out << c;
        else
            out << "\\x" << std::hex << std::setw(2) << std::setfill('0') << static_cast<unsigned>(c) << std::dec;
    }
    out << '"';
    return out.str();
}

std::string describe(BSTR text) {
    return text ? quoted(byteText(text)) : "null";
}

std::string describe(const VARIANT& value) {
    std::ostringstream out;
    switch (value.vt) {
    case VT_EMPTY: out << "empty"; break;
    case VT_R8: out << "R8 " << bitsOf(value.dblVal); break;
    case VT_DATE: out << "DATE " << bitsOf(value.date); break;
    case VT_UI4: out << "UI4 " << value.ulVal; break;
    case VT_BSTR:
        out << "BSTR";
        for (char16_t unit : wideText(value.bstrVal)) out << ' ' << std::hex << static_cast<unsigned>(unit) << std::dec;
        break;
    case VT_ARRAY | VT_R8:
        out << "R8[]";
        for (double number : arrayOfDoubles(value)) out << ' ' << bitsOf(number);
        break;
    default: out << "vt " << value.vt; break;
    }
    return out.str();
}

// The outputs of one property query, fresh for every call.
struct Answer {
    std::int32_t result = -1;
    OwnedBstr name;
    OwnedVariant value;
    OwnedBstr unit;
    OwnedVariant unitArray;
    std::int32_t status = -1;

    std::string text(bool withName, bool ex) const {
        std::string line = std::to_string(result);
        if (withName) line += " name " + describe(name.value);
        line += " value " + describe(value.value) + " unit " + describe(unit.value);
        if (ex) line += " array " + describe(unitArray.value) + " status " + std::to_string(status);
        return line;
    }
};

void listByPosition(std::ostream& out, DecodedTeds teds, std::uint32_t index, std::int32_t count,
                    std::vector<std::string>& names) {
    for (std::int32_t position = -1; position <= count; ++position) {
        Answer plain, ex;
        plain.result = MirxTEDS_GetPropertyByIdx(teds, index, position, plain.name.out(), plain.value.out(),
                                                 plain.unit.out());
        ex.result = MirxTEDS_GetPropertyByIdxEx(teds, index, position, ex.name.out(), ex.value.out(), ex.unit.out(),
                                                ex.unitArray.out(), &ex.status);
        out << "  byIdx " << position << ' ' << plain.text(true, false) << '\n';
        out << "  byIdxEx " << position << ' ' << ex.text(true, true) << '\n';
        if (ex.result == 1) names.push_back(byteText(ex.name.value));
    }
}

void listByName(std::ostream& out, DecodedTeds teds, std::uint32_t index, std::vector<std::string> names) {
    names.push_back("%NoSuchProperty");
    std::set<std::string> listed;
    for (const std::string& name : names) {
        if (!listed.insert(name).second) continue;
        const std::int32_t count = MirxTEDS_GetPropertyCount(teds, index, name.c_str());
        out << "  name " << quoted(name) << " count " << count << " has "
            << MirxTEDS_HasProperty(teds, index, name.c_str()) << '\n';
        for (std::int32_t occurrence = 0; occurrence <= count; ++occurrence) {
            Answer plain, ex;
            const auto which = static_cast<std::uint32_t>(occurrence);
            plain.result = MirxTEDS_GetPropertyValue(teds, index, name.c_str(), which, plain.value.out(),
                                                     plain.unit.out());
            ex.result = MirxTEDS_GetPropertyValueEx(teds, index, name.c_str(), which, ex.value.out(), ex.unit.out(),
                                                    ex.unitArray.out(), &ex.status);
            out << "    value " << occurrence << ' ' << plain.text(false, false) << '\n';
            out << "    valueEx " << occurrence << ' ' << ex.text(false, true) << '\n';
        }
    }
}

void listImage(std::ostream& out, TedsParser parser, const std::vector<std::uint8_t>& image) {
    DecodedTeds teds = MirxTEDS_ParseTEDS(parser, image.data(), static_cast<std::int32_t>(image.size()));
    std::int32_t fields[4] = {-1, -1, -1, -1};
    char letter = '?';
    out << "basic " << MirxTEDS_GetBasicTEDS(teds, &fields[0], &fields[1], &letter, &fields[2], &fields[3]);
    out << ' ' << fields[0] << ' ' << fields[1] << ' ' << static_cast<int>(letter) << ' ' << fields[2] << ' '
        << fields[3] << '\n';
    const std::int32_t templates = MirxTEDS_GetNumberTemplates(teds);
    out << "templates " << templates << '\n';
    for (std::int32_t i = 0; i <= templates; ++i) {
        const auto index = static_cast<std::uint32_t>(i);
        std::int32_t key = -1;
        std::int32_t id = -1;
        const std::int32_t found = MirxTEDS_GetTemplateInfo(teds, index, &key, &id);
        const std::int32_t count = MirxTEDS_GetTotalPropertyCount(teds, index);
        out << "template " << i << ' ' << found << " key " << key << " id " << id << " properties " << count << '\n';
        std::vector<std::string> names;
        listByPosition(out, teds, index, count, names);
        listByName(out, teds, index, names);
    }
    MirxTEDS_FreeTEDS(teds);
}

}  // namespace
}  // namespace teds::test

int main(int argc, char** argv) {
    using namespace teds::test;
    if (argc < 4) {
        std::fprintf(stderr, "usage: query_listing TEMPLATES LISTING IMAGE...\n");
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << "version " << MirxTEDS_GetVersion() << '\n';
    for (std::int32_t version : {-5, 0, 1, 2}) out << "check " << version << ' ' << MirxTEDS_CheckVersion(version) << '\n';

    TedsParser parser = MirxTEDS_ParserCreate();
    const std::int32_t loaded = MirxTEDS_ParseTDLFile(parser, argv[1]);
    out << "loaded " << loaded << '\n';
    int status = loaded > 0 ? 0 : 1;
    for (int i = 3; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const teds::container::ReadResult read = teds::container::readContainer(content);
        const std::string path = argv[i];
        out << "image " << path.substr(path.find_last_of("/\\") + 1) << " bytes " << read.image.bytes.size() << '\n';
        if (!file.is_open() || !read.ok()) {
            std::fprintf(stderr, "%s: %s\n", argv[i], file.is_open() ? read.error.c_str() : "cannot be read");
            status = 1;
            continue;
        }
        listImage(out, parser, read.image.bytes);
    }
    MirxTEDS_ParserDestroy(parser);
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        status = 1;
    }
    return status;
}
