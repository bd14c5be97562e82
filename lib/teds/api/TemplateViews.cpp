#include "teds/api/TemplateViews.hpp"

#include <string>

#include "teds/api/ValueFormat.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/types/RecordWalk.hpp"

namespace teds::api {
namespace {

using types::ValueRecord;

// Struct arrays start empty; the walk fills their elements as it enters them.
Value valueOf(const types::Value& value) {
    return std::visit(types::Overloaded{
                          [](const types::NoValue&) -> Value { return values::None{}; },
                          [](const types::TextValue& v) -> Value { return values::Text{std::string(v.text)}; },
                          [](const types::RealValue& v) -> Value { return values::Real{v.value}; },
                          [](const types::UnsignedValue& v) -> Value { return values::Unsigned{v.value}; },
                          [](const types::DateValue& v) -> Value { return values::Date{v.days}; },
                          [](const types::EnumValue& v) -> Value {
                              return values::Enumeration{v.index, v.text};
                          },
                          [](const types::StructArrayValue&) -> Value { return values::StructArray{}; },
                          [](const types::SelectMarkerValue&) -> Value { return values::None{}; },
                      },
                      value);
}

PropertyView shallowView(const ValueRecord& record) {
    PropertyView view;
    view.name = record.name();
    view.value = valueOf(record.value);
    if (const types::PropertyDescription* property = record.property) {
        view.unit = property->unit;
        view.description = property->description;
        view.enumeration = property->enumeration;
    }
    return view;
}

std::vector<PropertyView> viewsOf(const std::vector<ValueRecord>& records) {
    struct {
        std::vector<PropertyView> top;
        std::vector<std::vector<PropertyView>*> open{&top};
        void record(const ValueRecord& record) { open.back()->push_back(shallowView(record)); }
        void enterElement(std::size_t) {
            auto& elements = std::get<values::StructArray>(open.back()->back().value).elements;
            elements.emplace_back();
            open.push_back(&elements.back());
        }
        void leaveElement() { open.pop_back(); }
    } visitor;
    types::walkRecords(records, types::kShown, visitor);
    return std::move(visitor.top);
}

}  // namespace

TemplateInfo infoOf(const decode::TemplateRecord& record) {
    return TemplateInfo{record.manufacturerKey, record.templateId,
                        record.templateRef != nullptr ? record.templateRef->name : std::string()};
}

std::vector<TemplateView> templateViewsOf(const decode::DecodedTeds& teds) {
    std::vector<TemplateView> views;
    views.reserve(teds.templates.size());
    for (const decode::TemplateRecord& record : teds.templates)
        views.push_back(TemplateView{infoOf(record), record.missingBits, viewsOf(record.values)});
    return views;
}

PropertyView viewOf(const ValueRecord& record) {
    if (!std::holds_alternative<types::StructArrayValue>(record.value)) return shallowView(record);
    std::vector<PropertyView> views = viewsOf({record});
    return std::move(views.front());
}

}  // namespace teds::api
