#include "teds/tdl/ParseContext.hpp"

#include <limits>

#include "teds/tdl/NumberText.hpp"

namespace teds::tdl {
namespace {

template <typename Int>
std::optional<Int> inRange(std::string_view text) {
    const auto value = parseDecimal(text);
    if (!value || *value < std::numeric_limits<Int>::min() || *value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(*value);
}

std::string quoted(std::string_view what, std::string_view text) {
    std::string out(what);
    out += " '";
    out += text;
    out += "' is out of range";
    return out;
}

}  // namespace

void ParseContext::beginTemplate(std::int32_t line, std::string_view key, std::string_view idWidth,
                                 std::string_view templateId, std::string name) {
    line_ = line;
    name_ = std::move(name);
    refusal_.reset();
    depth_ = 0;
    manufacturerKey_ = 0;
    idWidth_ = 0;
    templateId_ = 0;

    const auto parsedKey = inRange<std::int32_t>(key);
    const auto parsedWidth = inRange<std::uint32_t>(idWidth);
    const auto parsedId = inRange<std::uint32_t>(templateId);
    if (!parsedKey) refuseTemplate(quoted("manufacturer key", key));
    if (!parsedWidth) refuseTemplate(quoted("template ID width", idWidth));
    if (!parsedId) refuseTemplate(quoted("template ID", templateId));
    manufacturerKey_ = parsedKey.value_or(0);
    idWidth_ = parsedWidth.value_or(0);
    templateId_ = parsedId.value_or(0);
}

void ParseContext::finishTemplate(nodes::NodeList body) {
    if (refusal_) {
        result_.diagnostics.push_back(templateRefused(sourceName_, line_, manufacturerKey_, templateId_, *refusal_));
        return;
    }
    auto tmpl = std::make_unique<Template>();
    tmpl->manufacturerKey = manufacturerKey_;
    tmpl->idWidth = idWidth_;
    tmpl->templateId = templateId_;
    tmpl->name = std::move(name_);
    tmpl->body = std::move(body);
    tmpl->recordsHint = nodes::recordsHint(tmpl->body);
    result_.templates.push_back(ParsedTemplate{std::move(tmpl), line_});
}

bool ParseContext::enterNesting(std::int32_t line) {
    ++depth_;
    if (depth_ > kMaxNesting)
        refuseTemplate("select cases and struct arrays nested deeper than " + std::to_string(kMaxNesting) +
                       " levels");
    if (depth_ > kMaxParseNesting) {
        report(line, DiagnosticKind::NestingLimit,
               "nesting deeper than " + std::to_string(kMaxParseNesting) + " levels; the rest of the file is not read");
        return false;
    }
    return true;
}

bool ParseContext::leaveNesting() {
    const bool withinLimit = depth_ <= kMaxNesting;
    if (depth_ > 0) --depth_;
    return withinLimit;
}

std::uint32_t ParseContext::unsignedField(std::int32_t line, std::string_view text, std::string_view what) {
    if (auto value = inRange<std::uint32_t>(text)) return *value;
    refuseTemplate(quoted(what, text) + " on line " + std::to_string(line));
    return 0;
}

std::int64_t ParseContext::signedField(std::int32_t line, std::string_view text, std::string_view what) {
    if (auto value = parseDecimal(text)) return *value;
    refuseTemplate(quoted(what, text) + " on line " + std::to_string(line));
    return 0;
}

void ParseContext::refuseWiderThan(std::int32_t line, std::string_view what, std::uint32_t width, std::uint32_t most) {
    if (width <= most) return;
    refuseTemplate(std::string(what) + " on line " + std::to_string(line) + " is " + std::to_string(width) +
                   " bits wide, more than the " + std::to_string(most) + " bits its value is kept whole in");
}

void ParseContext::syntaxError(std::int32_t line, std::string_view message) {
    ++result_.syntaxErrors;
    report(line, DiagnosticKind::SyntaxError, std::string(message));
}

void ParseContext::stopReading(std::int32_t line, std::string_view reason) {
    readingStopped_ = true;
    report(line, DiagnosticKind::ReadFailure, std::string(reason) + "; the rest of the file is not read");
}

void ParseContext::report(std::int32_t line, DiagnosticKind kind, std::string message) {
    result_.diagnostics.push_back(Diagnostic{sourceName_, line, kind, std::move(message), {}});
}

void ParseContext::refuseTemplate(std::string reason) {
    if (!refusal_) refusal_ = std::move(reason);
}

}  // namespace teds::tdl
