#include "teds/tdl/TdlLexer.hpp"

#include <climits>
#include <new>

#include "teds/tdl/TdlScanner.hpp"

namespace teds::tdl {
namespace {

yyscan_t newScanner(ScanState* state) {
    yyscan_t scanner = nullptr;
    if (tdllex_init_extra(state, &scanner) != 0) throw std::bad_alloc();
    return scanner;
}

}  // namespace

Lexer::Lexer(std::FILE* input) : scanner_(newScanner(&state_)) { tdlset_in(input, scanner_); }

Lexer::Lexer(std::string_view text) : scanner_(newScanner(&state_)) {
    // flex counts bytes in an int and adds two end-of-buffer marks.
    if (text.size() > static_cast<std::size_t>(INT_MAX - 2)) {
        state_.failure = "input too large";
        return;
    }
    try {
        tdl_scan_bytes(text.data(), static_cast<int>(text.size()), scanner_);
    } catch (const ScanFailure& failure) {
        state_.failure = failure.reason;
    }
}

Lexer::~Lexer() { tdllex_destroy(scanner_); }

int Lexer::next() {
    state_.text = {};
    if (state_.failure.empty()) {
        try {
            const int kind = tdllex(scanner_);
            if (state_.failure.empty()) return kind;
        } catch (const ScanFailure& failure) {
            state_.failure = failure.reason;
        }
    }
    // The input ends where reading failed: a token matched from what was
    // read before the failure, perhaps cut short by it, is not handed on.
    state_.text = state_.failure;
    return TOK_TDLGRAMMAR_error;
}

int Lexer::next(std::string& text) {
    const int kind = next();
    text.assign(state_.text);
    return kind;
}

std::vector<Token> tokenize(std::string_view text) {
    Lexer lexer(text);
    std::vector<Token> tokens;
    Token token;
    while ((token.kind = lexer.next(token.text)) != TOK_END) tokens.push_back(token);
    return tokens;
}

}  // namespace teds::tdl
