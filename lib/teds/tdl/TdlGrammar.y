/* Grammar of the Template Description Language.
 *
 * A file is a sequence of templates closed by a VALIDATION_KEYCODE line. Each
 * template is a header, a body of items and ENDTEMPLATE; the actions build
 * the node of each item and hand finished templates to the ParseContext.
 * Semantic values are C++ objects that own what they hold, so whatever an
 * error recovery throws away is freed with it.
 */

%require "3.8"
%language "c++"
%skeleton "lalr1.cc"

%define api.namespace {teds::tdl::grammar}
%define api.parser.class {TdlParser}
%define api.value.type variant
%define api.token.constructor
%define api.token.prefix {TOK_}
%define api.location.type {std::int32_t}

%define parse.error detailed
%locations

%param {Lexer& lexer} {ParseContext& ctx}

%code requires {
#include <cstdint>
#include <string>
#include <vector>

#include "teds/tdl/NodeBuilder.hpp"
#include "teds/tdl/TdlLexer.hpp"
#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"

namespace teds::tdl {
class ParseContext;
}
}

%code {
#include <algorithm>
#include <memory>

#include "teds/tdl/NumberText.hpp"
#include "teds/tdl/ParseContext.hpp"
#include "teds/tdl/nodes/Abstract.hpp"
#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/Spacing.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/tdl/nodes/UGId.hpp"
#include "teds/types/DataType.hpp"

// A location is the line on which a symbol starts.
#define YYLLOC_DEFAULT(Current, Rhs, N) ((Current) = (N) ? YYRHSLOC(Rhs, 1) : YYRHSLOC(Rhs, 0))

namespace teds::tdl::grammar {
TdlParser::symbol_type yylex(Lexer& lexer, ParseContext& ctx);
}

namespace {
using teds::tdl::nodes::NodeList;
using teds::tdl::nodes::NodePtr;
using teds::types::DataType;

constexpr std::int32_t code(DataType type) { return static_cast<std::int32_t>(type); }

void append(NodeList& list, NodePtr node) {
    // Items that build nothing (comments, versions, levels nested too deep) are null.
    if (node) list.push_back(std::move(node));
}
}  // namespace
}

%token END 0 "end of file"
%token <std::string> REAL 258 "real number"
%token <std::string> INTEGER 259 "integer"
%token <std::string> STRING 260 "string"
%token <std::string> HEXINT 261 "hexadecimal number"
%token <std::string> BININT 262 "binary number"
%token <std::string> PERCENT_NAME 263 "%name"
%token <std::string> IDENT 264 "identifier"
%token <std::string> TEMPLATE 265 "TEMPLATE"
%token <std::string> COMMENT 266 "comment"
%token <std::string> ABSTRACT 267 "ABSTRACT"
%token VALIDATION_KEYCODE 268 "VALIDATION_KEYCODE"
%token TDL_VERSION_NUMBER 269 "TDL_VERSION_NUMBER"
%token UGID 270 "UGID"
%token SPACING 271 "SPACING"
%token ENDTEMPLATE 272 "ENDTEMPLATE"
%token SELECTCASE 273 "SELECTCASE"
%token ENDSELECT 274 "ENDSELECT"
%token CASE 275 "CASE"
%token ENDCASE 276 "ENDCASE"
%token STRUCTARRAY 277 "STRUCTARRAY"
%token ENDSTRUCTARRAY 278 "ENDSTRUCTARRAY"
%token ID 279 "ID"
%token CAL 280 "CAL"
%token USR 281 "USR"
%token ALIGN 282 "ALIGN"
%token UNINT 283 "UNINT"
%token CHR5 284 "CHR5"
%token DATE 285 "DATE"
%token CONRELRES 286 "ConRelRes"
%token CONRES 287 "ConRes"
%token STRING5 288 "STRING5"
%token STRING7 289 "STRING7"
%token STRING16 290 "STRING16"
%token ASCII 291 "ASCII"
%token SINGLE 292 "Single"
%token UNICODE 293 "Unicode"
%token BIT_DIGIT 294 "Bit_Digit"
%token BITBIN 295 "BitBin"
%token EOL 296 "end of line"
%token DEFAULT 297 "DEFAULT"
%token INITIALIZE 298 "INITIALIZE"
%token READWRITE 299 "READWRITE"
%token CTRLFUNCTIONMASK 300 "CTRLFUNCTIONMASK"
%token FUNCTIONTYPE 301 "FUNCTIONTYPE"
%token FUNCTION 302 "FUNCTION"
%token ENUMERATE 303 "ENUMERATE"
%token PHYSICAL_UNIT 304 "PHYSICAL_UNIT"

%type <teds::tdl::nodes::NodeList> body elements
%type <teds::tdl::nodes::NodePtr> item property select_case struct_array physical_unit
%type <std::vector<teds::tdl::nodes::Case>> cases
%type <teds::tdl::nodes::Case> case
%type <std::vector<std::string>> enum_values unit_numbers
%type <std::string> number enum_value unit_name string_opt description
%type <std::int32_t> access
%type <teds::tdl::QualifierDecl> qualifier qualifier_opt
%type <teds::tdl::DataTypeDecl> data_type
%type <teds::tdl::FixedValueDecl> fixed_opt fixed_value

%start file

%%

/* Comment and blank lines may come before the first template, between
   templates and after the closing VALIDATION_KEYCODE line. */
file
    : trailer templates VALIDATION_KEYCODE INTEGER trailer
    ;

templates
    : %empty
    | templates template trailer
    /* A syntax error drops the template it occurs in; reading resumes after
       the next ENDTEMPLATE. Templates finished before it are already kept. */
    | templates error ENDTEMPLATE trailer
    ;

trailer
    : %empty
    | trailer COMMENT
    | trailer EOL
    ;

sep
    : ',' eols
    ;

eols
    : %empty
    | eols EOL
    ;

template
    : header body ENDTEMPLATE { ctx.finishTemplate(std::move($2)); }
    ;

header
    : TEMPLATE INTEGER sep INTEGER sep INTEGER ',' string_opt EOL eols
        { ctx.beginTemplate(@1, $2, $4, $6, std::move($8)); }
    ;

body
    : %empty {}
    | body item eols { $$ = std::move($1); append($$, std::move($2)); }
    ;

item
    : ABSTRACT EOL { $$ = std::make_unique<teds::tdl::nodes::Abstract>(std::move($1)); }
    | ALIGN INTEGER
        {
            const std::uint32_t bits = ctx.unsignedField(@2, $2, "alignment");
            $$ = std::make_unique<teds::tdl::nodes::Align>(
                static_cast<std::int32_t>(std::min<std::uint32_t>(bits, INT32_MAX)));
        }
    | COMMENT {}
    | ENUMERATE IDENT enum_values { $$ = teds::tdl::buildEnum(std::move($2), std::move($3)); }
    | physical_unit { $$ = std::move($1); }
    | property { $$ = std::move($1); }
    | select_case { $$ = std::move($1); }
    | SPACING { $$ = std::make_unique<teds::tdl::nodes::Spacing>(); }
    | struct_array { $$ = std::move($1); }
    | TDL_VERSION_NUMBER INTEGER {}
    | UGID STRING sep STRING { $$ = std::make_unique<teds::tdl::nodes::UGId>(std::move($2), std::move($4)); }
    ;

number
    : REAL { $$ = std::move($1); }
    | INTEGER { $$ = std::move($1); }
    ;

enum_values
    : sep enum_value { $$.push_back(std::move($2)); }
    | enum_values sep enum_value { $$ = std::move($1); $$.push_back(std::move($3)); }
    ;

enum_value
    : STRING { $$ = std::move($1); }
    | IDENT { $$ = std::move($1); }
    | number { $$ = std::move($1); }
    ;

/* The twelve numbers of a unit, in parentheses or without them. */
physical_unit
    : PHYSICAL_UNIT unit_name sep '(' unit_numbers ')'
        {
            if ($5.size() != 12) {
                ctx.syntaxError(@1, "PHYSICAL_UNIT needs twelve numbers");
                YYERROR;
            }
            $$ = teds::tdl::buildPhysicalUnit(std::move($2), $5);
        }
    | PHYSICAL_UNIT unit_name sep unit_numbers
        {
            if ($4.size() != 12) {
                ctx.syntaxError(@1, "PHYSICAL_UNIT needs twelve numbers");
                YYERROR;
            }
            $$ = teds::tdl::buildPhysicalUnit(std::move($2), $4);
        }
    ;

unit_name
    : STRING { $$ = std::move($1); }
    | IDENT { $$ = std::move($1); }
    ;

unit_numbers
    : number { $$.push_back(std::move($1)); }
    | unit_numbers sep number { $$ = std::move($1); $$.push_back(std::move($3)); }
    ;

property
    : PERCENT_NAME qualifier_opt sep description sep access sep INTEGER sep data_type sep string_opt ',' string_opt
      fixed_opt
        {
            teds::tdl::PropertyDecl decl;
            decl.name = std::move($1);
            decl.qualifier = std::move($2);
            decl.description = std::move($4);
            decl.access = $6;
            decl.sz = ctx.unsignedField(@8, $8, "field width");
            decl.dataType = std::move($10);
            decl.displayFormat = std::move($12);
            decl.unitName = std::move($14);
            decl.fixed = std::move($15);
            $$ = teds::tdl::buildProperty(std::move(decl));
        }
    ;

qualifier_opt
    : %empty {}
    | '[' qualifier ']' eols { $$ = std::move($2); }
    ;

qualifier
    : DEFAULT { $$.code = 1; }
    | INITIALIZE { $$.code = 2; }
    | CTRLFUNCTIONMASK { $$.code = 3; }
    | READWRITE { $$.code = 4; }
    | FUNCTIONTYPE { $$.code = 5; }
    | FUNCTION { $$.code = 6; }
    | STRING { $$.code = 7; $$.text = std::move($1); }
    ;

description
    : %empty {}
    | STRING { $$ = std::move($1); }
    | PERCENT_NAME '[' STRING ']' { $$ = std::move($1) + "[" + $3 + "]"; }
    ;

/* An access level left empty counts as ID. */
access
    : %empty { $$ = 0; }
    | ID { $$ = 0; }
    | CAL { $$ = 1; }
    | USR { $$ = 2; }
    ;

data_type
    : UNINT { $$.code = code(DataType::Unint); }
    | CHR5 { $$.code = code(DataType::Chr5); }
    | DATE { $$.code = code(DataType::Date); }
    | ASCII { $$.code = code(DataType::Ascii); }
    | STRING5 { $$.code = code(DataType::String5); }
    | STRING7 { $$.code = code(DataType::String7); }
    | STRING16 { $$.code = code(DataType::String16); }
    | SINGLE { $$.code = code(DataType::Single); }
    | UNICODE { $$.code = code(DataType::Unicode); }
    | BIT_DIGIT { $$.code = code(DataType::BitDigit); }
    | BITBIN { $$.code = code(DataType::BitBin); }
    | CONRES sep number sep number
        {
            $$.code = code(DataType::ConRes);
            $$.start = teds::tdl::parseReal($3);
            $$.step = teds::tdl::parseReal($5);
        }
    | CONRELRES sep number sep number
        {
            $$.code = code(DataType::ConRelRes);
            $$.start = teds::tdl::parseReal($3);
            $$.step = teds::tdl::parseReal($5);
        }
    | IDENT { $$.code = code(DataType::EnumType); $$.enumName = std::move($1); }
    ;

string_opt
    : %empty {}
    | STRING { $$ = std::move($1); }
    ;

fixed_opt
    : %empty {}
    | '=' eols fixed_value { $$ = std::move($3); }
    ;

fixed_value
    : HEXINT { $$ = {teds::tdl::kHexInteger, std::move($1)}; }
    | BININT { $$ = {teds::tdl::kBinInteger, std::move($1)}; }
    | REAL { $$ = {teds::tdl::kReal, std::move($1)}; }
    | INTEGER { $$ = {teds::tdl::kInteger, std::move($1)}; }
    | IDENT { $$ = {teds::tdl::kIdentifier, std::move($1)}; }
    | STRING { $$ = {teds::tdl::kString, std::move($1)}; }
    ;

select_case
    : SELECTCASE { if (!ctx.enterNesting(@1)) YYABORT; }
      STRING sep access sep INTEGER eols cases ENDSELECT
        {
            const std::uint32_t bits = ctx.unsignedField(@7, $7, "selector width");
            if (ctx.leaveNesting())
                $$ = std::make_unique<teds::tdl::nodes::SelectCase>(std::move($3), bits, std::move($9));
        }
    ;

cases
    : %empty {}
    | cases case { $$ = std::move($1); $$.push_back(std::move($2)); }
    ;

case
    : CASE STRING sep INTEGER eols body ENDCASE eols
        {
            $$.name = std::move($2);
            $$.selectorValue = ctx.signedField(@4, $4, "case value");
            $$.nodes = std::move($6);
        }
    ;

struct_array
    : STRUCTARRAY { if (!ctx.enterNesting(@1)) YYABORT; }
      IDENT sep STRING sep access sep INTEGER eols elements ENDSTRUCTARRAY
        {
            const std::uint32_t bits = ctx.unsignedField(@9, $9, "count width");
            if (ctx.leaveNesting())
                $$ = std::make_unique<teds::tdl::nodes::StructArray>(std::move($3), std::move($5), bits,
                                                                       std::move($11));
        }
    ;

/* The elements of a struct array are properties and struct arrays only. */
elements
    : %empty {}
    | elements property eols { $$ = std::move($1); append($$, std::move($2)); }
    | elements struct_array eols { $$ = std::move($1); append($$, std::move($2)); }
    ;

%%

namespace teds::tdl::grammar {

// The scanner's kinds are the grammar's token numbers.
constexpr bool agree(int grammarKind, int scannerKind) { return grammarKind == scannerKind; }
static_assert(agree(TdlParser::token::TOK_REAL, kReal) &&
              agree(TdlParser::token::TOK_INTEGER, kInteger) &&
              agree(TdlParser::token::TOK_STRING, kString) &&
              agree(TdlParser::token::TOK_HEXINT, kHexInteger) &&
              agree(TdlParser::token::TOK_BININT, kBinInteger) &&
              agree(TdlParser::token::TOK_PERCENT_NAME, kPercentName) &&
              agree(TdlParser::token::TOK_IDENT, kIdentifier) &&
              agree(TdlParser::token::TOK_TEMPLATE, kTemplate) &&
              agree(TdlParser::token::TOK_COMMENT, kComment) &&
              agree(TdlParser::token::TOK_ABSTRACT, kAbstract) &&
              agree(TdlParser::token::TOK_VALIDATION_KEYCODE, kValidationKeycode) &&
              agree(TdlParser::token::TOK_TDL_VERSION_NUMBER, kTdlVersionNumber) &&
              agree(TdlParser::token::TOK_UGID, kUgid) &&
              agree(TdlParser::token::TOK_SPACING, kSpacing) &&
              agree(TdlParser::token::TOK_ENDTEMPLATE, kEndTemplate) &&
              agree(TdlParser::token::TOK_SELECTCASE, kSelectCase) &&
              agree(TdlParser::token::TOK_ENDSELECT, kEndSelect) &&
              agree(TdlParser::token::TOK_CASE, kCase) &&
              agree(TdlParser::token::TOK_ENDCASE, kEndCase) &&
              agree(TdlParser::token::TOK_STRUCTARRAY, kStructArray) &&
              agree(TdlParser::token::TOK_ENDSTRUCTARRAY, kEndStructArray) &&
              agree(TdlParser::token::TOK_ID, kId) &&
              agree(TdlParser::token::TOK_CAL, kCal) &&
              agree(TdlParser::token::TOK_USR, kUsr) &&
              agree(TdlParser::token::TOK_ALIGN, kAlign) &&
              agree(TdlParser::token::TOK_UNINT, kUnint) &&
              agree(TdlParser::token::TOK_CHR5, kChr5) &&
              agree(TdlParser::token::TOK_DATE, kDate) &&
              agree(TdlParser::token::TOK_CONRELRES, kConRelRes) &&
              agree(TdlParser::token::TOK_CONRES, kConRes) &&
              agree(TdlParser::token::TOK_STRING5, kString5) &&
              agree(TdlParser::token::TOK_STRING7, kString7) &&
              agree(TdlParser::token::TOK_STRING16, kString16) &&
              agree(TdlParser::token::TOK_ASCII, kAscii) &&
              agree(TdlParser::token::TOK_SINGLE, kSingle) &&
              agree(TdlParser::token::TOK_UNICODE, kUnicode) &&
              agree(TdlParser::token::TOK_BIT_DIGIT, kBitDigit) &&
              agree(TdlParser::token::TOK_BITBIN, kBitBin) &&
              agree(TdlParser::token::TOK_EOL, kEndOfLine) &&
              agree(TdlParser::token::TOK_DEFAULT, kDefault) &&
              agree(TdlParser::token::TOK_INITIALIZE, kInitialize) &&
              agree(TdlParser::token::TOK_READWRITE, kReadWrite) &&
              agree(TdlParser::token::TOK_CTRLFUNCTIONMASK, kCtrlFunctionMask) &&
              agree(TdlParser::token::TOK_FUNCTIONTYPE, kFunctionType) &&
              agree(TdlParser::token::TOK_FUNCTION, kFunction) &&
              agree(TdlParser::token::TOK_ENUMERATE, kEnumerate) &&
              agree(TdlParser::token::TOK_PHYSICAL_UNIT, kPhysicalUnit));

namespace {

std::string describeCharacter(const std::string& text) {
    const unsigned char c = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    if (c >= 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
    static const char digits[] = "0123456789ABCDEF";
    return std::string("byte 0x") + digits[c >> 4] + digits[c & 0xF];
}

}  // namespace

TdlParser::symbol_type yylex(Lexer& lexer, ParseContext& ctx) {
    std::string text;
    const int kind = lexer.next(text);
    const std::int32_t line = lexer.tokenLine();
    switch (kind) {
    case kReal:
    case kInteger:
    case kString:
    case kHexInteger:
    case kBinInteger:
    case kPercentName:
    case kIdentifier:
    case kTemplate:
    case kComment:
    case kAbstract:
        return TdlParser::symbol_type(kind, std::move(text), line);
    default:
        if (kind > 0) return TdlParser::symbol_type(kind, line);
        // Whatever does not scan ends the input, as its end would.
        if (kind == kNoToken)
            ctx.note(line, describeCharacter(text) + " begins no token; the rest of the file is not read");
        return TdlParser::make_END(line);
    }
}

void TdlParser::error(const location_type& line, const std::string& message) { ctx.syntaxError(line, message); }

}  // namespace teds::tdl::grammar
