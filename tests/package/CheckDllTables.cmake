# The DLL exports exactly the functions of the C header under the names its
# callers look up, the decorated ones on 32-bit Windows and the plain ones
# on 64-bit Windows (PLAIN_NAMES), and imports from nothing but the system
# DLLs every Windows has: the C++ runtime must be linked in, and OLE
# Automation is used only for the BSTR, VARIANT and SAFEARRAY functions the
# outputs need.
#   cmake -DOBJDUMP=... -DDLL=teds_vb6.dll -DHEADER=teds_vb6.h -DLISTING=out.txt [-DPLAIN_NAMES=ON] -P CheckDllTables.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InterfaceLists.cmake)

set(system_dlls KERNEL32.DLL MSVCRT.DLL OLEAUT32.DLL)
set(automation_functions
  SysAllocStringByteLen SysAllocStringLen SysReAllocStringLen SysFreeString VariantClear SafeArrayCreate)

execute_process(COMMAND "${OBJDUMP}" -p "${DLL}" OUTPUT_FILE "${LISTING}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
teds_read_pe_tables("${LISTING}" dll)

teds_read_header_exports("${HEADER}" header)
set(expected)
foreach(entry IN LISTS header)
  string(REGEX REPLACE " .*" "" name "${entry}")
  if(PLAIN_NAMES)
    string(REGEX REPLACE "^_([A-Za-z0-9_]+)@.*" "\\1" name "${name}")
  endif()
  list(APPEND expected "${name}")
endforeach()

set(complaints)
teds_compare_lists("exports" "${expected}" "${dll_EXPORTS}" complaints)
foreach(dll IN LISTS dll_DLLS)
  if(NOT dll IN_LIST system_dlls)
    list(APPEND complaints "imports: depends on ${dll}")
  endif()
endforeach()
# The outputs cannot be made without it; its absence means the tables were misread.
if(NOT "OLEAUT32.DLL" IN_LIST dll_DLLS)
  list(APPEND complaints "imports: nothing from OLEAUT32.dll")
endif()
foreach(function IN LISTS dll_OLEAUT32.DLL)
  if(NOT function IN_LIST automation_functions)
    list(APPEND complaints "imports: OLEAUT32.dll ${function}")
  endif()
endforeach()
teds_report("${DLL} does not have the expected tables" "${complaints}")

list(LENGTH dll_EXPORTS count)
message(STATUS "${count} exports; imports from ${dll_DLLS}")
