#include "teds/tdl/TdlParse.hpp"

#include "teds/tdl/TdlGrammar.hpp"

namespace teds::tdl {

ParseResult parseTdl(Lexer& lexer, const std::string& sourceName) {
    ParseContext context(sourceName);
    grammar::TdlParser parser(lexer, context);
    try {
        // A non-zero result means the parse stopped early; the context
        // already holds why, and the templates finished before.
        parser.parse();
    } catch (const ScanFailure& failure) {
        // The parser has freed its stack before the failure got here.
        context.note(lexer.tokenLine(), std::string(failure.what()) + "; the rest of the file is not read");
    }
    return context.takeResult();
}

}  // namespace teds::tdl
