#pragma once
// Everything one parse of one TDL text needs besides the scanner: the header
// of the template being read, its nesting depth, the finished templates and
// the diagnostics. The grammar's actions call it; nothing here is shared
// between parses.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds/tdl/Diagnostic.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/tdl/TokenTexts.hpp"

namespace teds::tdl {

struct ParsedTemplate {
    std::unique_ptr<Template> tmpl;
    std::int32_t line = 0;  // of its TEMPLATE keyword
};

struct ParseResult {
    std::vector<ParsedTemplate> templates;  // in file order
    std::vector<Diagnostic> diagnostics;
    std::int32_t syntaxErrors = 0;
};

class ParseContext {
public:
    // Select cases and struct arrays may nest this deep; a template that
    // nests deeper is refused.
    static constexpr std::int32_t kMaxNesting = 64;
    // Past this depth the parse stops, as a parser whose stack is exhausted:
    // the nesting would only cost memory for a template that is refused.
    static constexpr std::int32_t kMaxParseNesting = 1024;

    explicit ParseContext(std::string sourceName) : sourceName_(std::move(sourceName)) {}

    // --- called by the grammar -------------------------------------------
    // The texts of the parse's tokens, kept until the template they are in
    // is finished or dropped.
    TextRef keepText(std::string_view text) { return texts_.add(text); }
    // An ENDTEMPLATE was read: texts kept so far belong to templates that
    // its reduction finishes or drops.
    void markTemplateEnd() { templateEnd_ = texts_.end(); }
    // Called once nothing on the parser's stack needs them.
    void releaseTemplateTexts() { texts_.releaseBefore(templateEnd_); }
    std::string_view text(TextRef ref) const { return texts_.view(ref); }
    std::string textCopy(TextRef ref) const { return texts_.copy(ref); }

    // The input cannot be read on, for `reason`; the parser is told it
    // ended. The end the parser then meets is no syntax error of the text.
    void stopReading(std::int32_t line, std::string_view reason);
    bool readingStopped() const { return readingStopped_; }

    // A template header: the three integers as written, and the name.
    void beginTemplate(std::int32_t line, std::string_view key, std::string_view idWidth,
                       std::string_view templateId, std::string name);
    // The template's ENDTEMPLATE: keeps it, or records why it is refused.
    void finishTemplate(nodes::NodeList body);

    // A select case or struct array opens; false when the parse must stop.
    bool enterNesting(std::int32_t line);
    // It closes; false when it lay beyond kMaxNesting, so that nothing is built for it.
    bool leaveNesting();

    // A width or count field of the template being read. An unusable one
    // refuses the template and gives 0.
    std::uint32_t unsignedField(std::int32_t line, std::string_view text, std::string_view what);
    std::int64_t signedField(std::int32_t line, std::string_view text, std::string_view what);
    // A field wider than the `most` bits its value is kept whole in refuses
    // the template: decoding would lose its high bits.
    void refuseWiderThan(std::int32_t line, std::string_view what, std::uint32_t width, std::uint32_t most);

    void syntaxError(std::int32_t line, std::string_view message);
    // A diagnostic about `line` of the text being parsed.
    void report(std::int32_t line, DiagnosticKind kind, std::string message);

    ParseResult takeResult() { return std::move(result_); }

private:
    // Refuses the template being read; its first reason is the one reported.
    void refuseTemplate(std::string reason);

    std::string sourceName_;
    ParseResult result_;
    TokenTexts texts_;
    std::size_t templateEnd_ = 0;
    bool readingStopped_ = false;

    // The template being read.
    std::int32_t line_ = 0;
    std::int32_t manufacturerKey_ = 0;
    std::uint32_t idWidth_ = 0;
    std::uint32_t templateId_ = 0;
    std::string name_;
    std::optional<std::string> refusal_;
    std::int32_t depth_ = 0;
};

}  // namespace teds::tdl
