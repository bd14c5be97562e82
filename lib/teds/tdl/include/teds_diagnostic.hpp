#pragma once
// What loading templates has to say about its input: where, what kind of
// trouble, and the text for a reader. Callers decide what to do by the kind
// and the source, never by the text.

#include <cstdint>
#include <optional>
#include <string>

namespace teds {

enum class DiagnosticKind : std::int32_t {
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
    // For a file that could not be opened, the reason in the words the C
    // library gives ("No such file or directory") or "not a regular file";
    // else empty.
    std::string systemMessage;

    // Written out: installed headers compile as C++17.
    bool operator==(const Diagnostic& other) const {
        return source == other.source && line == other.line && kind == other.kind && message == other.message &&
               systemMessage == other.systemMessage;
    }

    // "source:line: message", "source: message" without a line, and the
    // message alone without a source.
    std::string text() const;
};

// What loading a template file came to.
struct FileLoad {
    std::int32_t accepted = 0;  // templates the file added
    // Why the file could not be opened; nothing of it was read.
    std::optional<Diagnostic> unopened;
};

}  // namespace teds
