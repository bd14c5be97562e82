#pragma once
// What a load has to say about its input: where, what kind of trouble, and
// the text for a reader. Callers decide what to do by the kind and the
// source, never by the text.

#include <cstdint>
#include <string>
#include <string_view>

namespace teds::tdl {

enum class DiagnosticKind {
    SyntaxError,       // the template it occurs in is dropped
    InvalidCharacter,  // a character that begins no token; the rest of the input is not read
    NestingLimit,      // nesting past what the parse follows; the rest of the input is not read
    ReadFailure,       // the input could not be read on; the rest of it is not read
    MissingFile,       // a file to load is not there; nothing of it is read
    NotRegularFile,    // a path to load names a folder, a FIFO or a device; nothing of it is read
    UnopenableFile,    // a file to load cannot be opened for another reason; nothing of it is read
    RefusedTemplate,   // a template that parsed but is not registered
    UnknownName,       // a property names an enumeration or unit declared nowhere
    Dropped,           // stands for diagnostics past the limit a parser keeps
};

struct Diagnostic {
    std::string source;     // the file or text name; empty when there is none
    std::int32_t line = 0;  // 0 when no single line is concerned
    DiagnosticKind kind = DiagnosticKind::SyntaxError;
    std::string message;

    bool operator==(const Diagnostic&) const = default;
};

// "source:line: message", "source: message" without a line, and the message
// alone without a source.
std::string formatDiagnostic(const Diagnostic& diagnostic);

// The one wording of a refusal: "template I25 refused: <reason>", with M17-3
// standing for manufacturer 17's template 3.
Diagnostic templateRefused(std::string source, std::int32_t line, std::int32_t manufacturerKey,
                           std::uint32_t templateId, std::string_view reason);

}  // namespace teds::tdl
