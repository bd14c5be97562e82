# Every include of the library looks down its layers, never up:
#   container  <  types  <  tdl/nodes  <  tdl  <  decode  <  encode  <  api  <  vb6dll
# The container layer turns files and dumps into image bytes and needs
# nothing of the others; the encode layer writes images from decoded or
# stated values and checks them with the decoder; the api layer is the C++
# interface over all of them.
# A file may include its own layer and the ones below it.
#   cmake -DLIB_DIR=<lib folder> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)

set(layers container types tdl/nodes tdl decode encode api vb6dll)

# The layer of a path below lib/teds, as its index in `layers`; -1 for none.
function(layer_of path out)
  set(found -1)
  if(path MATCHES "^tdl/nodes/")
    list(FIND layers tdl/nodes found)
  elseif(path MATCHES "^([a-z0-9]+)/")
    list(FIND layers ${CMAKE_MATCH_1} found)
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${LIB_DIR}/teds" "${LIB_DIR}/teds/*.hpp" "${LIB_DIR}/teds/*.cpp"
     "${LIB_DIR}/teds/*.y" "${LIB_DIR}/teds/*.l")
set(complaints)
set(checked 0)
foreach(source IN LISTS sources)
  layer_of(${source} own)
  if(own EQUAL -1)
    list(APPEND complaints "${source}: in no layer")
    continue()
  endif()
  file(STRINGS "${LIB_DIR}/teds/${source}" includes REGEX "^#include \"teds/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"teds/([^\"]+)\".*" "\\1" target "${line}")
    layer_of(${target} theirs)
    math(EXPR checked "${checked} + 1")
    if(theirs GREATER own)
      list(APPEND complaints "${source} includes ${target}, a higher layer")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no includes found under ${LIB_DIR}/teds")
endif()
if(complaints)
  list(JOIN complaints "\n  " text)
  message(FATAL_ERROR "includes that look up:\n  ${text}")
endif()
message(STATUS "${checked} includes, none looking up")
