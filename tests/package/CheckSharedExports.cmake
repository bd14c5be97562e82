# The Linux library exports the functions of the C header and the OLE
# Automation functions it provides on Linux, and nothing else: no symbol of
# the C++ core, nor of the templates it uses.
#   cmake -DNM=nm -DLIBRARY=libteds_vb6.so -DHEADER=teds_vb6.h -P CheckSharedExports.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InterfaceLists.cmake)

set(expected
  SafeArrayCreate SafeArrayDestroy SafeArrayGetElement SafeArrayGetLBound SafeArrayGetUBound
  SysAllocStringByteLen SysAllocStringLen SysFreeString SysReAllocStringLen SysStringByteLen SysStringLen
  VariantClear VariantInit)
teds_read_header_exports("${HEADER}" header)
foreach(entry IN LISTS header)
  # "_Name@8 function" is exported undecorated on Linux.
  string(REGEX REPLACE "^_([A-Za-z0-9_]+)@.*" "\\1" name "${entry}")
  list(APPEND expected "${name}")
endforeach()

execute_process(COMMAND "${NM}" -D --defined-only --format=posix "${LIBRARY}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} -D ${LIBRARY} failed")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  # "<name> <type> <value> [<size>]"; symbol versions and the like are not exports of ours.
  if(line MATCHES "^([^ ]+) [A-Za-z] ")
    list(APPEND exported "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(complaints)
teds_compare_lists("exports" "${expected}" "${exported}" complaints)
teds_report("${LIBRARY} exports other than the C interface" "${complaints}")
