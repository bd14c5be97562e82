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

int Lexer::failedToken() {
    state_.text = state_.failure;
    return TOK_TDLGRAMMAR_error;
}

int Lexer::next(std::string& text) {
    const int kind = next();
    text.assign(state_.text);
    return kind;
}

}  // namespace teds::tdl
