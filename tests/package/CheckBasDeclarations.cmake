# The Visual Basic module declares every function of the C header once in
# each of its three blocks, and nothing else from the DLLs:
#   vba7-win64  64-bit Office: teds_vb6_x64.dll, under the plain name
#   vba7-win32  32-bit Office 2010 and later: teds_vb6.dll, under the
#               decorated name its parameters add up to
#   vb6         Visual Basic 6 and Office before 2010: as vba7-win32,
#               without PtrSafe
# Every parameter and result is passed as its C type asks, a handle or a
# pointer as LongPtr under VBA7 and as Long in Visual Basic 6. The sample
# modules, whose other declarations no header states, are held to the form
# alone: each Declare under VBA7 with PtrSafe and again before it without,
# and LongPtr only under VBA7.
#   cmake -DHEADER=teds_vb6.h -DMODULE=teds_vb6.bas -DSAMPLES=a.bas;b.bas -P CheckBasDeclarations.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InterfaceLists.cmake)

# "<passing>:<type>" of a C parameter type, PTR standing for the block's
# type of handles and pointers.
function(vb_parameter_for type out)
  if(type MATCHES "^(TedsParser|DecodedTeds)$")
    set(${out} "ByVal:PTR" PARENT_SCOPE)
  elseif(type MATCHES "^u?int32_t$")
    set(${out} "ByVal:Long" PARENT_SCOPE)
  elseif(type STREQUAL "const_char*")
    set(${out} "ByVal:String" PARENT_SCOPE)  # a zero-terminated single-byte text
  elseif(type MATCHES "^(char|const_uint8_t)\\*$")
    set(${out} "ByRef:Byte" PARENT_SCOPE)  # one byte, or the first of an array
  elseif(type STREQUAL "int32_t*")
    set(${out} "ByRef:Long" PARENT_SCOPE)
  elseif(type STREQUAL "double")
    set(${out} "ByVal:Double" PARENT_SCOPE)
  elseif(type MATCHES "^(const_)?double\\*$")
    set(${out} "ByRef:Double" PARENT_SCOPE)  # one number, or the first of an array
  elseif(type STREQUAL "BSTR*")
    set(${out} "ByRef:String" PARENT_SCOPE)
  elseif(type STREQUAL "VARIANT*")
    set(${out} "ByRef:Variant" PARENT_SCOPE)
  else()
    message(FATAL_ERROR "no Visual Basic form known for the C type '${type}'")
  endif()
endfunction()

# Every Declare sits in a VBA7 block with PtrSafe and again in a block
# before VBA7 without it, for 64-bit and 32-bit Office alike.
function(check_forms module entries complaints_var)
  set(found ${${complaints_var}})
  set(names)
  foreach(entry IN LISTS entries)
    string(REPLACE " " ";" fields "${entry}")
    list(GET fields 0 block)
    list(GET fields 1 name)
    list(GET fields 5 ptrSafe)
    list(APPEND names ${name})
    list(APPEND blocks_${name} ${block})
    if(block STREQUAL "none")
      list(APPEND found "${module}: ${name} declared outside the #If VBA7 blocks")
    elseif(block MATCHES "^vba7" AND NOT ptrSafe STREQUAL "PtrSafe")
      list(APPEND found "${module}: ${name} without PtrSafe under VBA7")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  foreach(name IN LISTS names)
    if(NOT "vb6" IN_LIST blocks_${name})
      list(APPEND found "${module}: ${name} has no declaration for Visual Basic 6")
    endif()
    if(NOT "vba7" IN_LIST blocks_${name} AND NOT ("vba7-win64" IN_LIST blocks_${name} AND "vba7-win32" IN_LIST blocks_${name}))
      list(APPEND found "${module}: ${name} lacks a declaration for 32-bit or 64-bit Office")
    endif()
  endforeach()
  set(${complaints_var} "${found}" PARENT_SCOPE)
endfunction()

set(complaints)
foreach(sample IN LISTS SAMPLES)
  teds_read_vb_declarations("${sample}" declared misplaced)
  list(APPEND complaints ${misplaced})
  check_forms("${sample}" "${declared}" complaints)
endforeach()

teds_read_vb_declarations("${MODULE}" declared misplaced)
list(APPEND complaints ${misplaced})
check_forms("${MODULE}" "${declared}" complaints)

teds_read_header_functions("${HEADER}" functions)
teds_read_header_exports("${HEADER}" exports)
set(blocks vba7-win64 vba7-win32 vb6)
set(expected_declarations)
foreach(function export IN ZIP_LISTS functions exports)
  string(REPLACE " " ";" types "${function}")
  list(POP_FRONT types name result)
  string(REGEX REPLACE " .*" "" decorated "${export}")
  set(parameters)
  foreach(type IN LISTS types)
    vb_parameter_for("${type}" parameter)
    list(APPEND parameters "${parameter}")
  endforeach()
  if(result STREQUAL "void")
    set(shape "sub")
    set(returns "-")
  elseif(result MATCHES "^(TedsParser|DecodedTeds|const_char\\*)$")
    set(shape "function")
    set(returns "PTR")
  elseif(result STREQUAL "int32_t")
    set(shape "function")
    set(returns "Long")
  else()
    message(FATAL_ERROR "no Visual Basic form known for the C result '${result}' of ${name}")
  endif()
  list(JOIN parameters " " parameters)
  foreach(block IN LISTS blocks)
    if(block STREQUAL "vba7-win64")
      set(head "teds_vb6_x64.dll - PtrSafe")
    elseif(block STREQUAL "vba7-win32")
      set(head "teds_vb6.dll ${decorated} PtrSafe")
    else()
      set(head "teds_vb6.dll ${decorated} -")
    endif()
    set(expected "${block} ${name} ${shape} ${head} ${returns} ${parameters}")
    if(block MATCHES "^vba7")
      string(REPLACE "PTR" "LongPtr" expected "${expected}")
    else()
      string(REPLACE "PTR" "Long" expected "${expected}")
    endif()
    string(STRIP "${expected}" expected)
    list(APPEND expected_declarations "${expected}")
  endforeach()
endforeach()

# What the module declares from the DLLs, whatever the block.
set(ours)
foreach(entry IN LISTS declared)
  if(entry MATCHES "^[^ ]+ [^ ]+ [^ ]+ teds_vb6(_x64)?\\.dll ")
    if(entry IN_LIST ours)
      list(APPEND complaints "declared more than once: ${entry}")
    endif()
    list(APPEND ours "${entry}")
  endif()
endforeach()
teds_compare_lists("declarations" "${expected_declarations}" "${ours}" complaints)
teds_report("${MODULE} does not match ${HEADER}" "${complaints}")

list(LENGTH functions count)
message(STATUS "${count} functions declared for 64-bit Office, 32-bit Office and Visual Basic 6 as the header states them")
