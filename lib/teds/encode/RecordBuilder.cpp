#include "teds/encode/RecordBuilder.hpp"

#include "teds/decode/ValueText.hpp"
#include "teds/encode/FieldValue.hpp"
#include "teds/tdl/nodes/Align.hpp"

namespace teds::encode {
namespace {

using tdl::nodes::Align;
using tdl::nodes::EnumProperty;
using tdl::nodes::NodeList;
using tdl::nodes::NodePtr;
using tdl::nodes::nodeAs;
using tdl::nodes::Property;
using tdl::nodes::Qualifier;
using tdl::nodes::SelectCase;
using tdl::nodes::StructArray;
using types::ValueRecord;

constexpr std::size_t kMostElements = container::kMaxImageBytes * 8;

bool isMarker(const StatedValue& value) {
    return value.exact && std::holds_alternative<types::SelectMarkerValue>(value.exact->value);
}

std::optional<std::uint64_t> markerCase(const StatedValue& value) {
    const auto* marker = std::get_if<types::SelectMarkerValue>(&value.exact->value);
    return marker != nullptr ? std::optional<std::uint64_t>(marker->selector) : std::nullopt;
}

bool isFixed(const Property& node) { return node.field.fixedRaw.has_value(); }
bool isFixed(const EnumProperty& node) { return node.hasFixedIndex || node.hasFixedText; }

// Neither yields a record; Bit_Digit and BitBin fields are read past.
bool yieldsRecord(const Property& node) {
    return node.field.dataType != types::DataType::BitDigit && node.field.dataType != types::DataType::BitBin;
}

// A fixed value takes no bits: its record is what decoding it gives.
template <class Node>
void appendFixed(const Node& node, std::vector<ValueRecord>& out, types::RecordStore& store) {
    types::BitReader nothing;
    types::DecodeBudget budget;
    node.decode(nothing, out, store, budget);
}

// Whether `text` names the value a template fixes, as the value reads or,
// for an enumeration, by its index.
bool statesFixedValue(const ValueRecord& fixed, const std::string& text) {
    if (decode::writtenValueText(fixed) == text) return true;
    const auto* entry = std::get_if<types::EnumValue>(&fixed.value);
    return entry != nullptr && wholeNumberOf(text) == entry->index;
}

const char* accessName(types::Access access) {
    switch (access) {
    case types::Access::Calibration: return "CAL";
    case types::Access::User: return "USR";
    default: return "ID";
    }
}

// The name a setting gives at the level of `path`: "ARR" for "ARR[2].X".
std::optional<std::string> nameAtLevel(const std::string& setting, const std::string& path) {
    if (setting.compare(0, path.size(), path) != 0) return std::nullopt;
    const std::string rest = setting.substr(path.size());
    return rest.substr(0, rest.find('['));
}

}  // namespace

const StatedValue* RecordBuilder::Cursor::peek() const {
    return values != nullptr && at < values->size() ? &(*values)[at] : nullptr;
}

const StatedValue* RecordBuilder::Cursor::takeIfNamed(const std::string& name) {
    const StatedValue* value = peek();
    if (value == nullptr || isMarker(*value) || value->name != name) return nullptr;
    ++at;
    return value;
}

const StatedValue* RecordBuilder::Cursor::takeMarker() {
    const StatedValue* value = peek();
    if (value == nullptr || !isMarker(*value)) return nullptr;
    ++at;
    return value;
}

bool RecordBuilder::declares(const NodeList& nodes, const std::string& name) {
    for (const NodePtr& node : nodes) {
        if (const auto* p = nodeAs<Property>(*node)) {
            if (p->declaration.name == name) return true;
        } else if (const auto* e = nodeAs<EnumProperty>(*node)) {
            if (e->declaration.name == name) return true;
        } else if (const auto* a = nodeAs<StructArray>(*node)) {
            if (a->declaration.name == name) return true;
        } else if (const auto* s = nodeAs<SelectCase>(*node)) {
            if (s->name == name) return true;
            for (const auto& c : s->cases)
                if (declares(c.nodes, name)) return true;
        }
    }
    return false;
}

bool RecordBuilder::build(const tdl::Template& tmpl, const StatedTemplate& stated, std::vector<ValueRecord>& records,
                          types::RecordStore& store) {
    store_ = &store;
    hints_ = &stated.selectCases;
    nextHint_ = 0;
    Cursor in{&stated.values, 0};
    failed_ = stopped_ = false;
    buildList(tmpl.body, in, "", records);
    if (failed_) return false;
    if (const StatedValue* left = in.peek())
        return problem(isMarker(*left) ? "template " + std::to_string(tmpl.templateId) + " has no further select case"
                                       : left->name + ": template " + std::to_string(tmpl.templateId) +
                                             " has no such property here");
    return true;
}

void RecordBuilder::buildList(const NodeList& nodes, Cursor& in, const std::string& path, std::vector<ValueRecord>& out) {
    // A refused value does not stop the others being checked; a wrong
    // structure does, since nothing after it lines up.
    for (const NodePtr& node : nodes) {
        if (stopped_) return;
        if (const auto* p = nodeAs<Property>(*node)) {
            property(*p, in, path, out);
        } else if (const auto* e = nodeAs<EnumProperty>(*node)) {
            enumeration(*e, in, path, out);
        } else if (const auto* s = nodeAs<SelectCase>(*node)) {
            select(*s, in, path, out);
        } else if (const auto* a = nodeAs<StructArray>(*node)) {
            array(*a, in, path, out);
        } else if (nodeAs<Align>(*node) != nullptr) {
            // Decoding stops at an alignment, so an image holding it would not read back.
            stop(path + "the template stops decoding at an ALIGN in the case chosen, so it cannot be written");
        }
    }
}

bool RecordBuilder::property(const Property& node, Cursor& in, const std::string& path, std::vector<ValueRecord>& out) {
    if (node.qualifier != Qualifier::None) return true;
    if (!isFixed(node) && !yieldsRecord(node))
        return problem(path + node.declaration.name +
                       ": decoding keeps no value of its data type, so the template cannot be written");
    return field(node, in, path, out,
                 [&](const StatedValue& stated) { return propertyValue(node, stated, options_.strict, *store_); });
}

bool RecordBuilder::enumeration(const EnumProperty& node, Cursor& in, const std::string& path,
                                std::vector<ValueRecord>& out) {
    return field(node, in, path, out, [&](const StatedValue& stated) { return enumValue(node, stated); });
}

template <class FieldNode, class Convert>
bool RecordBuilder::field(const FieldNode& node, Cursor& in, const std::string& path, std::vector<ValueRecord>& out,
                          Convert convert) {
    const std::string& name = node.declaration.name;
    const std::string key = path + name;
    if (isFixed(node)) {
        in.takeIfNamed(name);
        appendFixed(node, out, *store_);
        // Stating the value the template fixes changes nothing, so it is
        // allowed: a program may write back every value it read.
        if (const Setting* setting = takeSetting(key)) {
            if (out.empty() || !statesFixedValue(out.back(), setting->value))
                return problem(key + ": its value is fixed by the template");
        }
        return true;
    }
    // A setting takes the place of the value given before.
    const StatedValue* stated = in.takeIfNamed(name);
    StatedValue fromSetting;
    if (const Setting* setting = takeSetting(key)) {
        if (!mayChange(key, node.declaration.access)) return false;
        fromSetting.name = name;
        fromSetting.text = setting->value;
        stated = &fromSetting;
    }
    if (stated == nullptr) return missing(key, in);
    FieldValue value = convert(*stated);
    if (!value.note.empty()) report_.notes.push_back(path + value.note);
    if (!value.record) return problem(path + value.problem);
    out.push_back(std::move(*value.record));
    return true;
}

bool RecordBuilder::select(const SelectCase& node, Cursor& in, const std::string& path, std::vector<ValueRecord>& out) {
    const std::string key = path + node.name;
    // The case decoding found, when the values come from a decode.
    bool marked = false;
    std::uint64_t old = 0;
    if (const StatedValue* marker = in.takeMarker())
        if (const auto found = markerCase(*marker)) {
            marked = true;
            old = *found;
        }
    std::optional<std::uint64_t> hint;
    if (hints_ != nullptr && nextHint_ < hints_->size()) hint = (*hints_)[nextHint_++];

    std::optional<std::uint64_t> chosen;
    if (const Setting* setting = takeSetting(key); setting != nullptr && mayChange(key, node.declaration.access)) {
        for (std::size_t i = 0; i < node.cases.size() && !chosen; ++i)
            if (node.cases[i].name == setting->value) chosen = i;
        if (!chosen)
            if (const auto index = wholeNumberOf(setting->value); index && *index < node.cases.size()) chosen = *index;
        if (!chosen) {
            std::string names;
            for (const auto& c : node.cases) names += (names.empty() ? "" : ", ") + c.name;
            return stop(key + ": '" + setting->value + "' is none of its cases (" + names + ") nor their index");
        }
    } else if (marked) {
        chosen = caseSwitchedTo(node, old, path).value_or(old);
        if (*chosen != old && !mayChange(key, node.declaration.access)) chosen = old;
    } else {
        chosen = bestCase(node, in, path, hint);
    }
    out.push_back(ValueRecord{types::SelectMarkerValue{*chosen}, &node.declaration});

    if (marked && old != *chosen) {
        // The values of the case left behind go with it.
        if (old < node.cases.size()) skip(node.cases[static_cast<std::size_t>(old)].nodes, in);
        Cursor nothing;
        if (*chosen < node.cases.size())
            buildList(node.cases[static_cast<std::size_t>(*chosen)].nodes, nothing, path, out);
        return !stopped_;
    }
    // A selector with no case has nothing behind it, as in decoding.
    if (*chosen < node.cases.size()) buildList(node.cases[static_cast<std::size_t>(*chosen)].nodes, in, path, out);
    return !stopped_;
}

bool RecordBuilder::array(const StructArray& node, Cursor& in, const std::string& path, std::vector<ValueRecord>& out) {
    const std::string& name = node.declaration.name;
    const std::string key = path + name;
    const StatedValue* stated = in.takeIfNamed(name);
    if (stated != nullptr && !stated->elements) return stop(key + ": needs a list of elements");
    std::size_t count = stated != nullptr ? stated->elements->size() : 0;
    const Setting* setting = takeSetting(key);
    if (setting != nullptr && mayChange(key, node.declaration.access)) {
        const auto wanted = wholeNumberOf(setting->value);
        if (!wanted) return stop(key + ": '" + setting->value + "' is not a number of elements");
        count = static_cast<std::size_t>(*wanted);
    } else if (stated == nullptr && setting == nullptr) {
        return missing(key, in);
    }
    const std::uint32_t countBits = node.declaration.width;
    if (countBits < 64 && (std::uint64_t{count} >> countBits) != 0)
        return problem(key + ": " + std::to_string(count) + " elements are more than its " +
                       std::to_string(countBits) + "-bit count holds");
    // The elements are built before a bit is written, so a count set to
    // billions would take all memory first. No image a reader takes holds
    // more elements than bits (the decoder stops at an element that reads
    // nothing and yields nothing, and its budget ends the others), and the
    // elements built pay from the budget decoding them back would.
    if (count > kMostElements)
        return stop(key + ": " + std::to_string(count) + " elements are more than an image of at most " +
                    std::to_string(container::kMaxImageBytes) + " bytes holds");

    types::StructElements& elements = store_->newElements();
    for (std::size_t i = 0; i < count && !stopped_; ++i) {
        Cursor element;
        if (stated != nullptr && i < stated->elements->size()) element.values = &(*stated->elements)[i];
        const std::string elementPath = key + "[" + std::to_string(i) + "].";
        types::StructElement records;
        buildList(node.children, element, elementPath, records);
        if (const StatedValue* left = element.peek(); left != nullptr && !stopped_)
            stop(elementPath + left->name + ": the element has no such property here");
        if (!budget_.takeElement() || !budget_.take(records.size() * types::DecodeBudget::kRecordBytes))
            return stop(key + ": " + std::to_string(count) + " elements are more than decoding an image may hold");
        elements.push_back(std::move(records));
    }
    out.push_back(ValueRecord{types::StructArrayValue{elements}, &node.declaration});
    return !stopped_;
}

std::uint64_t RecordBuilder::bestCase(const SelectCase& node, const Cursor& in, const std::string& path,
                                      std::optional<std::uint64_t> hint) const {
    // The case that takes the most of the values given, then the most
    // settings; among equals the one the hint names, else the first.
    std::optional<std::uint64_t> best;
    std::size_t bestTaken = 0, bestSettings = 0;
    for (std::size_t i = 0; i < node.cases.size(); ++i) {
        Cursor trial = in;
        std::size_t settings = 0;
        if (!fits(node.cases[i].nodes, trial, path, settings)) continue;
        const std::size_t taken = trial.at - in.at;
        const bool better = !best || taken > bestTaken || (taken == bestTaken && settings > bestSettings) ||
                            (taken == bestTaken && settings == bestSettings && hint == i);
        if (better) {
            best = i;
            bestTaken = taken;
            bestSettings = settings;
        }
    }
    // When no case fits, building one says which values are missing.
    return best.value_or(hint.value_or(0));
}

bool RecordBuilder::fits(const NodeList& nodes, Cursor& in, const std::string& path, std::size_t& settings) const {
    const auto given = [&](const std::string& name) {
        if (in.takeIfNamed(name) != nullptr) return true;
        if (!hasSetting(path + name)) return false;
        ++settings;
        return true;
    };
    for (const NodePtr& node : nodes) {
        if (const auto* p = nodeAs<Property>(*node)) {
            if (p->qualifier != Qualifier::None) continue;
            if (isFixed(*p) || !yieldsRecord(*p)) {
                in.takeIfNamed(p->declaration.name);
            } else if (!given(p->declaration.name)) {
                return false;
            }
        } else if (const auto* e = nodeAs<EnumProperty>(*node)) {
            if (isFixed(*e))
                in.takeIfNamed(e->declaration.name);
            else if (!given(e->declaration.name))
                return false;
        } else if (const auto* a = nodeAs<StructArray>(*node)) {
            if (!given(a->declaration.name)) return false;
        } else if (const auto* s = nodeAs<SelectCase>(*node)) {
            const std::uint64_t chosen = bestCase(*s, in, path, std::nullopt);
            if (chosen < s->cases.size() && !fits(s->cases[static_cast<std::size_t>(chosen)].nodes, in, path, settings))
                return false;
        } else if (nodeAs<Align>(*node) != nullptr) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> RecordBuilder::caseSwitchedTo(const SelectCase& node, std::uint64_t current,
                                                           const std::string& path) const {
    for (std::size_t s = 0; s < settings_.size(); ++s) {
        if (used_[s]) continue;
        const auto name = nameAtLevel(settings_[s].name, path);
        if (!name) continue;
        if (current < node.cases.size() && declares(node.cases[static_cast<std::size_t>(current)].nodes, *name)) continue;
        for (std::size_t i = 0; i < node.cases.size(); ++i)
            if (i != current && declares(node.cases[i].nodes, *name)) return i;
    }
    return std::nullopt;
}

void RecordBuilder::skip(const NodeList& nodes, Cursor& in) const {
    for (const NodePtr& node : nodes) {
        if (const auto* p = nodeAs<Property>(*node)) {
            in.takeIfNamed(p->declaration.name);
        } else if (const auto* e = nodeAs<EnumProperty>(*node)) {
            in.takeIfNamed(e->declaration.name);
        } else if (const auto* a = nodeAs<StructArray>(*node)) {
            in.takeIfNamed(a->declaration.name);
        } else if (const auto* s = nodeAs<SelectCase>(*node)) {
            if (const StatedValue* marker = in.takeMarker())
                if (const auto c = markerCase(*marker); c && *c < s->cases.size())
                    skip(s->cases[static_cast<std::size_t>(*c)].nodes, in);
        }
    }
}

const Setting* RecordBuilder::takeSetting(const std::string& key) {
    for (std::size_t s = 0; s < settings_.size(); ++s) {
        if (settings_[s].name != key) continue;
        used_[s] = true;
        return &settings_[s];
    }
    return nullptr;
}

bool RecordBuilder::hasSetting(const std::string& key) const {
    for (const Setting& setting : settings_)
        if (setting.name == key) return true;
    return false;
}

bool RecordBuilder::mayChange(const std::string& key, types::Access access) {
    if (static_cast<std::int32_t>(access) >= static_cast<std::int32_t>(options_.access)) return true;
    return problem(key + ": changing it needs " + accessName(access) + " access, more than " +
                   accessName(options_.access));
}

bool RecordBuilder::problem(std::string text) {
    report_.addProblem(std::move(text));
    failed_ = true;
    return false;
}

bool RecordBuilder::stop(std::string text) {
    stopped_ = true;
    return problem(std::move(text));
}

bool RecordBuilder::missing(const std::string& key, const Cursor& in) {
    // A value of another name where this one belongs: what follows would not line up either.
    if (const StatedValue* found = in.peek())
        return stop(key + ": no value given (found " + (isMarker(*found) ? std::string("a select case") : "'" + found->name + "'") +
                    " in its place)");
    return problem(key + ": no value given");
}

}  // namespace teds::encode
