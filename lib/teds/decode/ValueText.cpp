#include "teds/decode/ValueText.hpp"

namespace teds::decode {
namespace {

struct ValueTextWriter : boost::static_visitor<void> {
    std::ostream& out;
    explicit ValueTextWriter(std::ostream& out) : out(out) {}

    void operator()(std::uint32_t value) const { out << value; }
    void operator()(double value) const { out << value; }
    void operator()(const std::string& text) const { out << text; }
    void operator()(const types::StructElements& elements) const { out << '<' << elements.size() << " elements>"; }
    void operator()(const types::EnumValue& value) const { out << value.text << " (" << value.index << ')'; }
};

}  // namespace

void writeValueText(std::ostream& out, const types::ValueRecord& record) {
    if (record.kind == types::ValueKind::None) {
        out << "<no value>";
        return;
    }
    boost::apply_visitor(ValueTextWriter(out), record.value);
}

}  // namespace teds::decode
