#pragma once
// The TDL scanner as C++ sees it: one scanner over one input. The rules
// themselves are in TdlScanner.l; the token kinds are the grammar's own
// (TOK_... in TdlGrammar.hpp).

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "teds/tdl/TdlGrammar.hpp"

// The generated scanner (TdlScanner.l), called once a token from the inline Lexer::next.
int tdllex(void* scanner);

namespace teds::tdl {

// Raised by the generated scanner where flex would end the process, which
// is a buffer it cannot allocate or grow. Lexer catches it at once and turns
// it into a failure like a failed read; it never reaches the parser.
struct ScanFailure {
    const char* reason;
};

// The scanner's own state, handed to the generated code as its extra data.
struct ScanState {
    std::string_view text;   // text of the token just matched, in flex's buffer
    std::int32_t line = 1;   // line of the next character
    std::int32_t tokenLine = 1;  // line on which the token just matched starts
    bool lastWasCr = false;  // the previous token was a carriage return
    bool crBefore = false;   // ... as seen by the token being matched
    std::string_view failure;  // why the input cannot be read on; empty while it can

    // Called by the generated code before every rule's action.
    void beginToken() {
        tokenLine = line;
        crBefore = lastWasCr;
        lastWasCr = false;
    }
};

// One scanner over one input; each instance is independent of every other,
// so scanners may run on several threads at once.
class Lexer {
public:
    // Reads the open file in blocks; the caller keeps it open and closes it.
    explicit Lexer(std::FILE* input);
    // Scans a copy of `text`.
    explicit Lexer(std::string_view text);
    ~Lexer();
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    // The next token's kind: TOK_END at the end of the input,
    // TOK_TDLGRAMMAR_UNDEF for a character that begins no token (scanning may
    // go on after it), TOK_TDLGRAMMAR_error once the input cannot be read on,
    // and from then on; text() then says why.
    int next() {
        state_.text = {};
        if (state_.failure.empty()) {
            try {
                const int kind = tdllex(scanner_);
                if (state_.failure.empty()) return kind;
            } catch (const ScanFailure& failure) {
                state_.failure = failure.reason;
            }
        }
        return failedToken();
    }
    // The text of the token last returned; empty for kinds that carry none.
    // It lies in the scanner's buffer and is valid until the next call of next().
    std::string_view text() const { return state_.text; }

    // next(), with a copy of the token's text in `text`.
    int next(std::string& text);

    // Line, counted from 1, on which the token last returned starts. A
    // carriage return, a line feed and a CR LF pair each end one line.
    std::int32_t tokenLine() const { return state_.tokenLine; }

private:
    // The input ends where reading failed: a token matched from what was
    // read before the failure, perhaps cut short by it, is not handed on.
    int failedToken();

    void* scanner_ = nullptr;  // flex's yyscan_t
    ScanState state_;
};

}  // namespace teds::tdl
