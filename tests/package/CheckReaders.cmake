# The readers of InterfaceLists.cmake on small texts whose answers are known:
# the cases the real header and module do not all exercise.
#   cmake -DWORK_DIR=<folder> -P CheckReaders.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InterfaceLists.cmake)

set(complaints)
function(expect what expected actual)
  if(NOT "${expected}" STREQUAL "${actual}")
    set(complaints ${complaints} "${what}:\n    expected ${expected}\n    read     ${actual}" PARENT_SCOPE)
  endif()
endfunction()

file(MAKE_DIRECTORY "${WORK_DIR}")

# Line continuations, comments, a Sub, every width of a parameter, a wrong
# Alias, a missing one, and a Declare of another DLL; CRLF line ends as the
# Visual Basic editor writes them.
set(module "${WORK_DIR}/fixture.bas")
string(JOIN "\r\n" text
  "Attribute VB_Name = \"Fixture\""
  "' Public Declare Function Commented Lib \"teds_vb6.dll\" Alias \"_Commented@0\" () As Long"
  "Public Declare Function NoArguments Lib \"teds_vb6.dll\" Alias \"_NoArguments@0\" () As Long"
  "Private Declare Sub Continued Lib \"teds_vb6.dll\" Alias \"_Continued@12\" ( _"
  "    ByVal a As Long, _"
  "    b As String, ByRef c() As Byte)  ' b is ByRef too"
  "Declare Function Widths Lib \"teds_vb6.dll\" Alias \"_Widths@36\" (ByVal d As Double, ByVal v As Variant, ByVal i As Integer, ByRef w As Variant, ByVal s As String) As Long"
  "Public Declare Function WrongAlias Lib \"teds_vb6.dll\" Alias \"_WrongAlias@4\" (ByVal a As Long, ByVal b As Long) As Long"
  "Public Declare Function NoAlias Lib \"teds_vb6.dll\" (ByVal a As Long) As Long"
  "Private Declare Function lstrlenA Lib \"kernel32\" (ByVal address As Long) As Long"
  "")
file(WRITE "${module}" "${text}")
teds_read_vb_declarations("${module}" "teds_vb6.dll" declared mismatches)
expect("Visual Basic declarations"
  "_NoArguments@0 function;_Continued@12 sub;_Widths@36 function;_WrongAlias@8 function;_NoAlias@4 function"
  "${declared}")
expect("Visual Basic aliases"
  "WrongAlias: Alias \"_WrongAlias@4\", parameters make \"_WrongAlias@8\";NoAlias: Alias \"\", parameters make \"_NoAlias@4\""
  "${mismatches}")

# A commented-out declaration, a function of the automation layer without
# the calling convention, a prototype over several lines, a void result.
set(header "${WORK_DIR}/fixture.h")
file(WRITE "${header}" [[
/* TEDS_VB6_API int32_t TEDS_VB6_CALL Commented(int32_t a); */
#  define TEDS_VB6_API
#  define TEDS_VB6_CALL __stdcall
TEDS_VB6_API BSTR SysAllocStringByteLen(const char* psz, uint32_t len);
TEDS_VB6_API const char* TEDS_VB6_CALL Version(void);
TEDS_VB6_API void TEDS_VB6_CALL Spread(TedsParser parser,
                                       const uint8_t* image,
                                       int32_t length);
]])
teds_read_header_exports("${header}" exports)
expect("header exports" "_Version@0 function;_Spread@12 sub" "${exports}")

set(compared)
teds_compare_lists("exports" "a;b;c" "b;c;d" compared)
expect("comparison" "exports: missing a;exports: unexpected d" "${compared}")

teds_report("the interface readers misread their input" "${complaints}")
message(STATUS "the interface readers read every case as expected")
