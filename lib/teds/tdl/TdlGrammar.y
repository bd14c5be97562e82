/* Grammar of the Template Description Language.
 *
 * A file is a sequence of templates closed by a VALIDATION_KEYCODE line. Each
 * template is a header, a body of items and ENDTEMPLATE; the actions build
 * the node of each item and hand finished templates to the ParseContext.
 *
 * The parser's stack holds plain values only, so that shifting and reducing
 * copy a few words: token texts are places in the ParseContext's text
 * buffer, and what the actions build is held by owning raw pointers. An
 * action takes ownership of every pointer on its right-hand side (take());
 * whatever error recovery throws away is freed by the %destructor.
 */

%require "3.8"
%define api.pure full
%define api.prefix {tdlgrammar_}
%define api.token.prefix {TOK_}
%define parse.error detailed
%locations

%param {teds::tdl::Lexer& lexer} {teds::tdl::ParseContext& ctx}

%code requires {
#include <cstdint>
#include <vector>

#include "teds/tdl/TokenTexts.hpp"
#include "teds/tdl/nodes/Node.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/types/DataType.hpp"
#include "teds/types/PropertyDescription.hpp"

namespace teds::tdl {
class Lexer;
class ParseContext;
}

namespace teds::tdl::grammar {
// The parts of a property as the parser carries them, trivial like every
// value in its union.
struct QualifierValue {
    nodes::Qualifier code;
    TextRef text;       // for a qualifier written as a string
};
struct DataTypeValue {
    types::DataType code;
    TextRef enumName;   // for EnumType
    double start;       // ConRes and ConRelRes only
    double step;
};
struct FixedValueText {
    int tokenKind;  // 0 for none
    TextRef text;
};
}  // namespace teds::tdl::grammar
}

%code provides {
int tdlgrammar_lex(TDLGRAMMAR_STYPE* value, TDLGRAMMAR_LTYPE* location, teds::tdl::Lexer& lexer,
                   teds::tdl::ParseContext& ctx);
void tdlgrammar_error(TDLGRAMMAR_LTYPE* location, teds::tdl::Lexer& lexer, teds::tdl::ParseContext& ctx,
                      const char* message);
}

%code {
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "teds/tdl/NodeBuilder.hpp"
#include "teds/tdl/NumberText.hpp"
#include "teds/tdl/ParseContext.hpp"
#include "teds/tdl/TdlLexer.hpp"
#include "teds/tdl/nodes/Abstract.hpp"
#include "teds/tdl/nodes/Align.hpp"
#include "teds/tdl/nodes/Spacing.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/tdl/nodes/UGId.hpp"
#include "teds/types/DataType.hpp"

// A location is the line on which a symbol starts.
#define YYLLOC_DEFAULT(Current, Rhs, N) ((Current) = (N) ? YYRHSLOC(Rhs, 1) : YYRHSLOC(Rhs, 0))

// Each level of select cases and struct arrays takes about fifteen stack
// entries; the ParseContext stops the parse at its own nesting limit well
// before the stack reaches this.
#define YYMAXDEPTH 65536

namespace {
using teds::tdl::TextRef;
using teds::tdl::grammar::DataTypeValue;
using teds::tdl::grammar::FixedValueText;
using teds::tdl::grammar::QualifierValue;
using teds::tdl::nodes::Case;
using teds::tdl::nodes::Node;
using teds::tdl::nodes::NodeList;
using teds::tdl::nodes::NodePtr;
using teds::tdl::nodes::Qualifier;
using teds::types::Access;
using teds::types::DataType;

constexpr TextRef kNoText{0, 0};

template <typename T>
std::unique_ptr<T> take(T* owned) {
    return std::unique_ptr<T>(owned);
}

void append(NodeList& list, NodePtr node) {
    // Items that build nothing (comments, versions, levels nested too deep) are null.
    if (node) list.push_back(std::move(node));
}

DataTypeValue typeOf(DataType type) { return DataTypeValue{type, kNoText, 0.0, 0.0}; }

DataTypeValue rangedType(teds::tdl::ParseContext& ctx, DataType type, TextRef start, TextRef step) {
    return DataTypeValue{type, kNoText, teds::tdl::parseReal(ctx.text(start)),
                         teds::tdl::parseReal(ctx.text(step))};
}

// The unit of a PHYSICAL_UNIT declaration; null, with a syntax error, when
// it does not have twelve numbers.
Node* physicalUnit(teds::tdl::ParseContext& ctx, std::int32_t line, TextRef name,
                   std::unique_ptr<std::vector<TextRef>> numbers) {
    if (numbers->size() != 12) {
        ctx.syntaxError(line, "PHYSICAL_UNIT needs twelve numbers");
        return nullptr;
    }
    std::vector<std::string_view> texts;
    texts.reserve(numbers->size());
    for (const TextRef number : *numbers) texts.push_back(ctx.text(number));
    return teds::tdl::buildPhysicalUnit(ctx.textCopy(name), texts).release();
}

Node* enumeration(teds::tdl::ParseContext& ctx, TextRef name, std::unique_ptr<std::vector<TextRef>> values) {
    std::vector<std::string> texts;
    texts.reserve(values->size());
    for (const TextRef value : *values) texts.push_back(ctx.textCopy(value));
    return teds::tdl::buildEnum(ctx.textCopy(name), std::move(texts)).release();
}
}  // namespace
}

%union {
    teds::tdl::TextRef text;
    teds::types::Access access;
    teds::tdl::grammar::QualifierValue qualifier;
    teds::tdl::grammar::DataTypeValue dataType;
    teds::tdl::grammar::FixedValueText fixed;
    // Owned; see take().
    teds::tdl::nodes::Node* node;
    teds::tdl::nodes::NodeList* nodes;
    teds::tdl::nodes::Case* caseValue;
    std::vector<teds::tdl::nodes::Case>* cases;
    std::vector<teds::tdl::TextRef>* texts;
}

%destructor { delete $$; } <node> <nodes> <caseValue> <cases> <texts>

%token END 0 "end of file"
%token <text> REAL "real number"
%token <text> INTEGER "integer"
%token <text> STRING "string"
%token <text> HEXINT "hexadecimal number"
%token <text> BININT "binary number"
%token <text> PERCENT_NAME "%name"
%token <text> IDENT "identifier"
%token <text> TEMPLATE "TEMPLATE"
%token <text> COMMENT "comment"
%token <text> ABSTRACT "ABSTRACT"
%token VALIDATION_KEYCODE "VALIDATION_KEYCODE"
%token TDL_VERSION_NUMBER "TDL_VERSION_NUMBER"
%token UGID "UGID"
%token SPACING "SPACING"
%token ENDTEMPLATE "ENDTEMPLATE"
%token SELECTCASE "SELECTCASE"
%token ENDSELECT "ENDSELECT"
%token CASE "CASE"
%token ENDCASE "ENDCASE"
%token STRUCTARRAY "STRUCTARRAY"
%token ENDSTRUCTARRAY "ENDSTRUCTARRAY"
%token ID "ID"
%token CAL "CAL"
%token USR "USR"
%token ALIGN "ALIGN"
%token UNINT "UNINT"
%token CHR5 "CHR5"
%token DATE "DATE"
%token CONRELRES "ConRelRes"
%token CONRES "ConRes"
%token STRING5 "STRING5"
%token STRING7 "STRING7"
%token STRING16 "STRING16"
%token ASCII "ASCII"
%token SINGLE "Single"
%token UNICODE "Unicode"
%token BIT_DIGIT "Bit_Digit"
%token BITBIN "BitBin"
%token EOL "end of line"
%token DEFAULT "DEFAULT"
%token INITIALIZE "INITIALIZE"
%token READWRITE "READWRITE"
%token CTRLFUNCTIONMASK "CTRLFUNCTIONMASK"
%token FUNCTIONTYPE "FUNCTIONTYPE"
%token FUNCTION "FUNCTION"
%token ENUMERATE "ENUMERATE"
%token PHYSICAL_UNIT "PHYSICAL_UNIT"


%type <nodes> body elements
%type <node> item property select_case struct_array physical_unit
%type <cases> cases
%type <caseValue> case
%type <texts> enum_values unit_numbers
%type <text> number enum_value unit_name string_opt description
%type <access> access
%type <qualifier> qualifier qualifier_opt
%type <dataType> data_type
%type <fixed> fixed_opt fixed_value

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
    | templates error ENDTEMPLATE trailer { ctx.releaseTemplateTexts(); }
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
    : header body ENDTEMPLATE
        {
            ctx.finishTemplate(std::move(*take($2)));
            ctx.releaseTemplateTexts();
        }
    ;

header
    : TEMPLATE INTEGER sep INTEGER sep INTEGER ',' string_opt EOL eols
        { ctx.beginTemplate(@1.first_line, ctx.text($2), ctx.text($4), ctx.text($6), ctx.textCopy($8)); }
    ;

body
    : %empty { $$ = new NodeList(); }
    | body item eols { $$ = $1; append(*$$, NodePtr($2)); }
    ;

item
    : ABSTRACT EOL { $$ = new teds::tdl::nodes::Abstract(ctx.textCopy($1)); }
    | ALIGN INTEGER
        {
            const std::uint32_t bits = ctx.unsignedField(@2.first_line, ctx.text($2), "alignment");
            $$ = new teds::tdl::nodes::Align(static_cast<std::int32_t>(std::min<std::uint32_t>(bits, INT32_MAX)));
        }
    | COMMENT { $$ = nullptr; }
    | ENUMERATE IDENT enum_values { $$ = enumeration(ctx, $2, take($3)); }
    | physical_unit
    | property
    | select_case
    | SPACING { $$ = new teds::tdl::nodes::Spacing(); }
    | struct_array
    | TDL_VERSION_NUMBER INTEGER { $$ = nullptr; }
    | UGID STRING sep STRING { $$ = new teds::tdl::nodes::UGId(ctx.textCopy($2), ctx.textCopy($4)); }
    ;

number
    : REAL
    | INTEGER
    ;

enum_values
    : sep enum_value { $$ = new std::vector<TextRef>{$2}; }
    | enum_values sep enum_value { $$ = $1; $$->push_back($3); }
    ;

enum_value
    : STRING
    | IDENT
    | number
    ;

/* The twelve numbers of a unit, in parentheses or without them. */
physical_unit
    : PHYSICAL_UNIT unit_name sep '(' unit_numbers ')'
        {
            $$ = physicalUnit(ctx, @1.first_line, $2, take($5));
            if (!$$) YYERROR;
        }
    | PHYSICAL_UNIT unit_name sep unit_numbers
        {
            $$ = physicalUnit(ctx, @1.first_line, $2, take($4));
            if (!$$) YYERROR;
        }
    ;

unit_name
    : STRING
    | IDENT
    ;

unit_numbers
    : number
        {
            $$ = new std::vector<TextRef>();
            $$->reserve(12);
            $$->push_back($1);
        }
    | unit_numbers sep number { $$ = $1; $$->push_back($3); }
    ;

property
    : PERCENT_NAME qualifier_opt sep description sep access sep INTEGER sep data_type sep string_opt ',' string_opt
      fixed_opt
        {
            teds::tdl::PropertyDecl decl;
            decl.declaration.name = ctx.textCopy($1);
            decl.qualifier = {$2.code, ctx.textCopy($2.text)};
            decl.declaration.description = ctx.textCopy($4);
            decl.declaration.access = $6;
            decl.declaration.width = ctx.unsignedField(@8.first_line, ctx.text($8), "field width");
            decl.dataType = {$10.code, ctx.textCopy($10.enumName), $10.start, $10.step};
            decl.declaration.displayFormat = ctx.textCopy($12);
            decl.unitName = ctx.textCopy($14);
            decl.fixed = {$15.tokenKind, ctx.textCopy($15.text)};
            ctx.refuseWiderThan(@8.first_line, "field " + decl.declaration.name, decl.declaration.width,
                                teds::tdl::widestField(decl));
            $$ = teds::tdl::buildProperty(std::move(decl)).release();
        }
    ;

qualifier_opt
    : %empty { $$ = QualifierValue{Qualifier::None, kNoText}; }
    | '[' qualifier ']' eols { $$ = $2; }
    ;

qualifier
    : DEFAULT { $$ = QualifierValue{Qualifier::Default, kNoText}; }
    | INITIALIZE { $$ = QualifierValue{Qualifier::Initialize, kNoText}; }
    | CTRLFUNCTIONMASK { $$ = QualifierValue{Qualifier::CtrlFunctionMask, kNoText}; }
    | READWRITE { $$ = QualifierValue{Qualifier::ReadWrite, kNoText}; }
    | FUNCTIONTYPE { $$ = QualifierValue{Qualifier::FunctionType, kNoText}; }
    | FUNCTION { $$ = QualifierValue{Qualifier::Function, kNoText}; }
    | STRING { $$ = QualifierValue{Qualifier::Text, $1}; }
    ;

description
    : %empty { $$ = kNoText; }
    | STRING
    | PERCENT_NAME '[' STRING ']'
        {
            std::string text(ctx.text($1));
            text += '[';
            text += ctx.text($3);
            text += ']';
            $$ = ctx.keepText(text);
        }
    ;

/* An access level left empty counts as ID. */
access
    : %empty { $$ = Access::Id; }
    | ID { $$ = Access::Id; }
    | CAL { $$ = Access::Calibration; }
    | USR { $$ = Access::User; }
    ;

data_type
    : UNINT { $$ = typeOf(DataType::Unint); }
    | CHR5 { $$ = typeOf(DataType::Chr5); }
    | DATE { $$ = typeOf(DataType::Date); }
    | ASCII { $$ = typeOf(DataType::Ascii); }
    | STRING5 { $$ = typeOf(DataType::String5); }
    | STRING7 { $$ = typeOf(DataType::String7); }
    | STRING16 { $$ = typeOf(DataType::String16); }
    | SINGLE { $$ = typeOf(DataType::Single); }
    | UNICODE { $$ = typeOf(DataType::Unicode); }
    | BIT_DIGIT { $$ = typeOf(DataType::BitDigit); }
    | BITBIN { $$ = typeOf(DataType::BitBin); }
    | CONRES sep number sep number { $$ = rangedType(ctx, DataType::ConRes, $3, $5); }
    | CONRELRES sep number sep number { $$ = rangedType(ctx, DataType::ConRelRes, $3, $5); }
    | IDENT
        {
            $$ = typeOf(DataType::EnumType);
            $$.enumName = $1;
        }
    ;

string_opt
    : %empty { $$ = kNoText; }
    | STRING
    ;

fixed_opt
    : %empty { $$ = FixedValueText{0, kNoText}; }
    | '=' eols fixed_value { $$ = $3; }
    ;

fixed_value
    : HEXINT { $$ = FixedValueText{TOK_HEXINT, $1}; }
    | BININT { $$ = FixedValueText{TOK_BININT, $1}; }
    | REAL { $$ = FixedValueText{TOK_REAL, $1}; }
    | INTEGER { $$ = FixedValueText{TOK_INTEGER, $1}; }
    | IDENT { $$ = FixedValueText{TOK_IDENT, $1}; }
    | STRING { $$ = FixedValueText{TOK_STRING, $1}; }
    ;

select_case
    : SELECTCASE { if (!ctx.enterNesting(@1.first_line)) YYABORT; }
      STRING sep access sep INTEGER eols cases ENDSELECT
        {
            auto cases = take($9);
            const std::uint32_t bits = ctx.unsignedField(@7.first_line, ctx.text($7), "selector width");
            ctx.refuseWiderThan(@7.first_line, "the selector of select case '" + ctx.textCopy($3) + "'", bits,
                                teds::types::kWidestWholeNumber);
            auto* select = ctx.leaveNesting()
                               ? new teds::tdl::nodes::SelectCase(ctx.textCopy($3), bits, std::move(*cases))
                               : nullptr;
            // Who may switch the case, as an editor enforces it.
            if (select != nullptr) select->declaration.access = $5;
            $$ = select;
        }
    ;

cases
    : %empty { $$ = new std::vector<Case>(); }
    | cases case { $$ = $1; $$->push_back(std::move(*take($2))); }
    ;

case
    : CASE STRING sep INTEGER eols body ENDCASE eols
        {
            auto body = take($6);
            $$ = new Case{ctx.textCopy($2), ctx.signedField(@4.first_line, ctx.text($4), "case value"),
                          std::move(*body)};
        }
    ;

struct_array
    : STRUCTARRAY { if (!ctx.enterNesting(@1.first_line)) YYABORT; }
      IDENT sep STRING sep access sep INTEGER eols elements ENDSTRUCTARRAY
        {
            auto elements = take($11);
            const std::uint32_t bits = ctx.unsignedField(@9.first_line, ctx.text($9), "count width");
            ctx.refuseWiderThan(@9.first_line, "the count of struct array " + ctx.textCopy($3), bits,
                                teds::types::kWidestWholeNumber);
            auto* array = ctx.leaveNesting() ? new teds::tdl::nodes::StructArray(ctx.textCopy($3), ctx.textCopy($5),
                                                                                 bits, std::move(*elements))
                                             : nullptr;
            // Who may change the number of elements, as an editor enforces it.
            if (array != nullptr) array->declaration.access = $7;
            $$ = array;
        }
    ;

/* The elements of a struct array are properties and struct arrays only. */
elements
    : %empty { $$ = new NodeList(); }
    | elements property eols { $$ = $1; append(*$$, NodePtr($2)); }
    | elements struct_array eols { $$ = $1; append(*$$, NodePtr($2)); }
    ;

%%

namespace {

std::string describeCharacter(std::string_view text) {
    const unsigned char c = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    if (c >= 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
    static const char digits[] = "0123456789ABCDEF";
    return std::string("byte 0x") + digits[c >> 4] + digits[c & 0xF];
}

}  // namespace

int tdlgrammar_lex(TDLGRAMMAR_STYPE* value, TDLGRAMMAR_LTYPE* location, teds::tdl::Lexer& lexer,
                   teds::tdl::ParseContext& ctx) {
    const int kind = lexer.next();
    const std::int32_t line = lexer.tokenLine();
    *location = TDLGRAMMAR_LTYPE{line, 0, line, 0};
    switch (kind) {
    case TOK_REAL:
    case TOK_INTEGER:
    case TOK_STRING:
    case TOK_HEXINT:
    case TOK_BININT:
    case TOK_PERCENT_NAME:
    case TOK_IDENT:
    case TOK_TEMPLATE:
    case TOK_ABSTRACT:
        value->text = ctx.keepText(lexer.text());
        return kind;
    // No rule reads a comment's text.
    case TOK_COMMENT:
        value->text = kNoText;
        return kind;
    case TOK_ENDTEMPLATE:
        ctx.markTemplateEnd();
        return kind;
    // Whatever does not scan ends the input, as its end would.
    case TOK_TDLGRAMMAR_UNDEF:
        ctx.report(line, teds::tdl::DiagnosticKind::InvalidCharacter,
                   describeCharacter(lexer.text()) + " begins no token; the rest of the file is not read");
        return TOK_END;
    case TOK_TDLGRAMMAR_error:
        ctx.stopReading(line, lexer.text());
        return TOK_END;
    default:
        return kind;
    }
}

void tdlgrammar_error(TDLGRAMMAR_LTYPE* location, teds::tdl::Lexer&, teds::tdl::ParseContext& ctx,
                      const char* message) {
    // The end of a scan that failed is no syntax error of the file.
    if (!ctx.readingStopped()) ctx.syntaxError(location->first_line, message);
}
