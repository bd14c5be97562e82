#pragma once
// Runs the grammar over one input: the templates it finished, in file
// order, and what went wrong on the way.

#include <string>

#include "teds/tdl/ParseContext.hpp"
#include "teds/tdl/TdlLexer.hpp"

namespace teds::tdl {

// Reads `lexer` to its end, or to the first point the parse cannot get past;
// templates finished before that point are in the result either way.
// `sourceName` names the input in every diagnostic.
ParseResult parseTdl(Lexer& lexer, const std::string& sourceName);

}  // namespace teds::tdl
