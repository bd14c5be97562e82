# Writes a C++ source whose bundledTemplateText() returns the bytes of INPUT.
# The bytes go in as a number list, so no character of the file needs escaping.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Twenty bytes to a line keeps the generated file readable in a debugger.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT}; edit that file instead.\n"
"#include \"BundledTemplates.hpp\"\n\n"
"namespace teds_tools {\nnamespace {\n"
"const unsigned char kBytes[] = {\n    ${bytes}0x00};\n"
"}  // namespace\n\n"
"std::string_view bundledTemplateText() {\n"
"    return {reinterpret_cast<const char*>(kBytes), ${byteCount}};\n"
"}\n\n"
"}  // namespace teds_tools\n")
# Only a changed text rebuilds what depends on it.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
