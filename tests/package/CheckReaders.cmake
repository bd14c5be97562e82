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

# Line continuations, comments, a Sub, every kind of parameter, a missing
# Alias, a Declare of another DLL, the blocks of conditional compilation
# (nested, with #Else and Not) and a LongPtr outside them; CRLF line ends as
# the Visual Basic editor writes them.
set(module "${WORK_DIR}/fixture.bas")
string(JOIN "\r\n" text
  "Attribute VB_Name = \"Fixture\""
  "' Public Declare Function Commented Lib \"teds_vb6.dll\" Alias \"_Commented@0\" () As Long"
  "Public Declare Function Outside Lib \"teds_vb6.dll\" Alias \"_Outside@0\" () As Long"
  "#If VBA7 Then"
  "  #If Win64 Then"
  "Private Declare PtrSafe Sub Continued Lib \"wide.dll\" ( _"
  "    ByVal a As LongPtr, _"
  "    b As String, ByRef c() As Byte)  ' b is ByRef too"
  "  #Else"
  "Declare PtrSafe Function Widths Lib \"narrow.dll\" Alias \"_Widths@36\" (ByVal d As Double, Optional ByVal v As Variant) As LongPtr"
  "  #End If"
  "Private Declare PtrSafe Function lstrlenA Lib \"kernel32\" (ByVal address As LongPtr) As Long"
  "#Else"
  "Public Declare Function Old Lib \"narrow.dll\" Alias \"_Old@4\" (ByVal a As Long) As Long"
  "    Dim misplaced As LongPtr"
  "#End If"
  "#If Not VBA7 Then"
  "Declare Sub Negated Lib \"narrow.dll\" ()"
  "#End If"
  "")
file(WRITE "${module}" "${text}")
teds_read_vb_declarations("${module}" declared misplaced)
expect("Visual Basic declarations"
  "none Outside function teds_vb6.dll _Outside@0 - Long;\
vba7-win64 Continued sub wide.dll - PtrSafe - ByVal:LongPtr ByRef:String ByRef:Byte();\
vba7-win32 Widths function narrow.dll _Widths@36 PtrSafe LongPtr ByVal:Double ByVal:Variant;\
vba7 lstrlenA function kernel32 - PtrSafe Long ByVal:LongPtr;\
vb6 Old function narrow.dll _Old@4 - Long ByVal:Long;\
vb6 Negated sub narrow.dll - - -"
  "${declared}")
expect("Visual Basic misplaced lines" "LongPtr outside a VBA7 block: Dim misplaced As LongPtr" "${misplaced}")

# A commented-out declaration, a function of the automation layer without
# the calling convention, a prototype over several lines, a void result,
# pointers written either way, a double passed by value (two slots).
set(header "${WORK_DIR}/fixture.h")
file(WRITE "${header}" [[
/* TEDS_VB6_API int32_t TEDS_VB6_CALL Commented(int32_t a); */
#  define TEDS_VB6_API
#  define TEDS_VB6_CALL __stdcall
TEDS_VB6_API BSTR SysAllocStringByteLen(const char* psz, uint32_t len);
TEDS_VB6_API const char* TEDS_VB6_CALL Version(void);
TEDS_VB6_API void TEDS_VB6_CALL Spread(TedsParser parser,
                                       const uint8_t *image,
                                       int32_t length, BSTR* text);
TEDS_VB6_API int32_t TEDS_VB6_CALL Scaled(double value, const double* values, double *result);
]])
teds_read_header_functions("${header}" functions)
expect("header functions"
  "Version const_char*;Spread void TedsParser const_uint8_t* int32_t BSTR*;Scaled int32_t double const_double* double*"
  "${functions}")
teds_read_header_exports("${header}" exports)
expect("header exports" "_Version@0 function;_Spread@16 sub;_Scaled@16 function" "${exports}")

set(compared)
teds_compare_lists("exports" "a;b;c" "b;c;d" compared)
expect("comparison" "exports: missing a;exports: unexpected d" "${compared}")

teds_report("the interface readers misread their input" "${complaints}")
message(STATUS "the interface readers read every case as expected")
