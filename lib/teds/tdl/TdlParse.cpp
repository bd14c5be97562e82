#include "teds/tdl/TdlParse.hpp"

#include "teds/tdl/TdlGrammar.hpp"

namespace teds::tdl {

ParseResult parseTdl(Lexer& lexer, const std::string& sourceName) {
    ParseContext context(sourceName);
    // A non-zero result means the parse stopped early; the context already
    // holds why, and the templates finished before.
    tdlgrammar_parse(lexer, context);
    return context.takeResult();
}

}  // namespace teds::tdl
