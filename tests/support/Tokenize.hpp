#pragma once
// A whole text as its tokens, for checks of the scanner rules.

#include <string>
#include <string_view>
#include <vector>

#include "teds/tdl/TdlLexer.hpp"

namespace teds::testing {

struct Token {
    int kind = TOK_END;
    std::string text;  // empty for kinds that carry no text
    bool operator==(const Token&) const = default;
};

// Every token of `text` up to the end of the input, characters that begin
// no token included.
inline std::vector<Token> tokenize(std::string_view text) {
    tdl::Lexer lexer(text);
    std::vector<Token> tokens;
    Token token;
    while ((token.kind = lexer.next(token.text)) != TOK_END) {
        tokens.push_back(token);
        if (token.kind == TOK_TDLGRAMMAR_error) break;  // every later token would be one too
    }
    return tokens;
}

}  // namespace teds::testing
