# Every include of the library and the tools follows the layer graph:
#
#     vb6dll  python  tools       beside each other, on the interface
#            \   |   /
#              api                 the C++ interface
#               |
#   encode, scale < decode < tdl < tdl/nodes < types < container
#
# Read each arrow as "may include": a layer includes its own files and those
# of the layers it reaches going down, never one above it nor one beside it.
# The container layer turns files and dumps into image bytes and needs
# nothing of the others; the encode layer writes images from decoded or
# stated values and checks them with the decoder.
# Installed headers, included by their bare names, belong to the layer whose
# folder holds them. The DLL's sources and the tools named in
# tools_on_installed_headers include the installed headers only, never a
# file of the core by its path.
#   cmake -DLIB_DIR=<lib folder> -DTOOLS_DIR=<tools folder> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)

# What each layer may include besides itself.
set(below_container)
set(below_types container)
set(below_tdl/nodes types ${below_types})
set(below_tdl tdl/nodes ${below_tdl/nodes})
set(below_decode tdl ${below_tdl})
set(below_encode decode ${below_decode})
set(below_scale decode ${below_decode})
set(below_api encode scale ${below_encode})
set(below_vb6dll api ${below_api})
set(below_python api ${below_api})
set(below_tools api ${below_api})
set(layers container types tdl/nodes tdl decode encode scale api vb6dll python tools)
set(tools_on_installed_headers common tedsdump tedsedit tedsscale example-images)

set(public_container teds_container.hpp)
set(public_types teds_access.hpp teds_chain_format.hpp teds_unit.hpp teds_overloaded.hpp)
set(public_tdl teds_diagnostic.hpp)
set(public_encode teds_encoding.hpp)
set(public_scale teds_scale.hpp)
set(public_api teds_api.hpp teds_edit.hpp)
set(public_vb6dll teds_vb6.h)

# The layer of a path below lib/teds; empty for none.
function(layer_of path out)
  set(found)
  if(path MATCHES "^tdl/nodes/")
    set(found tdl/nodes)
  elseif(path MATCHES "^([a-z0-9]+)/")
    if(CMAKE_MATCH_1 IN_LIST layers)
      set(found ${CMAKE_MATCH_1})
    endif()
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The layer an include line reaches; empty for a file of the includer's own
# folder or of the system.
function(included_layer line out)
  set(found)
  if(line MATCHES "^#include \"teds/([^\"]+)\"")
    layer_of(${CMAKE_MATCH_1} found)
    if(NOT found)
      set(found "?${CMAKE_MATCH_1}")
    endif()
  elseif(line MATCHES "^#include [\"<](teds_[a-z0-9_]+\\.hp?p?)[\">]")
    foreach(layer IN LISTS layers)
      if(CMAKE_MATCH_1 IN_LIST public_${layer})
        set(found ${layer})
      endif()
    endforeach()
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(complaints)
set(checked 0)

# Complains of every include of a file of the core by its path.
function(refuse_core_includes path label)
  file(STRINGS "${path}" core_includes REGEX "^#include \"teds/")
  foreach(line IN LISTS core_includes)
    string(REGEX REPLACE "^#include " "" target "${line}")
    list(APPEND complaints "${path} (${label}) includes ${target}, a file of the core")
  endforeach()
  set(complaints "${complaints}" PARENT_SCOPE)
endfunction()

function(check_file path own)
  file(STRINGS "${path}" includes REGEX "^#include")
  foreach(line IN LISTS includes)
    included_layer("${line}" theirs)
    if(NOT theirs)
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    if(NOT "${theirs}" STREQUAL "${own}" AND NOT "${theirs}" IN_LIST below_${own})
      string(REGEX REPLACE "^#include " "" target "${line}")
      list(APPEND complaints "${path} (${own}) includes ${target} (${theirs})")
    endif()
  endforeach()
  set(checked ${checked} PARENT_SCOPE)
  set(complaints "${complaints}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${LIB_DIR}/teds" "${LIB_DIR}/teds/*.hpp" "${LIB_DIR}/teds/*.cpp"
     "${LIB_DIR}/teds/*.h" "${LIB_DIR}/teds/*.y" "${LIB_DIR}/teds/*.l")
foreach(source IN LISTS sources)
  layer_of(${source} own)
  if(NOT own)
    list(APPEND complaints "${source}: in no layer")
    continue()
  endif()
  check_file("${LIB_DIR}/teds/${source}" ${own})
  # The exports stand on the interface as the tools do: below it they reach
  # the installed headers only.
  if(own STREQUAL "vb6dll" OR own STREQUAL "python")
    refuse_core_includes("${LIB_DIR}/teds/${source}" ${own})
  endif()
endforeach()

if(TOOLS_DIR)
  file(GLOB_RECURSE tool_sources "${TOOLS_DIR}/*.hpp" "${TOOLS_DIR}/*.cpp")
  foreach(source IN LISTS tool_sources)
    check_file("${source}" tools)
    file(RELATIVE_PATH relative "${TOOLS_DIR}" "${source}")
    string(REGEX MATCH "^[^/]+" folder "${relative}")
    if(folder IN_LIST tools_on_installed_headers)
      refuse_core_includes("${source}" tools)
    endif()
  endforeach()
endif()

if(checked EQUAL 0)
  message(FATAL_ERROR "no includes found under ${LIB_DIR}/teds")
endif()
if(complaints)
  list(JOIN complaints "\n  " text)
  message(FATAL_ERROR "includes against the layer graph:\n  ${text}")
endif()
message(STATUS "${checked} includes, all along the layer graph")
