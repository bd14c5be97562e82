# The Visual Basic module declares every function of the C header once, as a
# Function or a Sub as the header returns a value or not, under the decorated
# name its parameters add up to, and nothing else from the DLL.
#   cmake -DHEADER=teds_vb6.h -DMODULE=teds_vb6.bas -P CheckBasDeclarations.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InterfaceLists.cmake)

teds_read_header_exports("${HEADER}" header)
teds_read_vb_declarations("${MODULE}" "teds_vb6.dll" declared complaints)
teds_compare_lists("declarations" "${header}" "${declared}" complaints)
set(seen)
foreach(entry IN LISTS declared)
  if(entry IN_LIST seen)
    list(APPEND complaints "declarations: ${entry} more than once")
  endif()
  list(APPEND seen "${entry}")
endforeach()
teds_report("${MODULE} does not match ${HEADER}" "${complaints}")

list(LENGTH header count)
message(STATUS "${count} declarations match the header")
