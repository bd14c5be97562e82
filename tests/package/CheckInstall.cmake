# Installs a build into an empty folder, checks that it holds what its users
# need, and builds and runs a C caller against the installed copy alone.
#   Linux: the shared library, the header, the standard template file and a
#          CMake package, used through find_package by a small project.
#   Windows: one flat folder with the DLL (DLL_NAME), its import library
#          (IMPORT_LIBRARY), the header, the standard template file and the
#          Visual Basic modules; the caller is compiled into it and run
#          there, so the DLL must load with system DLLs only.
# Either way the caller decodes a real sensor with the installed templates.
# C++ callers too: on Linux one converts a real EEPROM dump with the installed
# container library; on both, one recalibrates a real sensor with the
# installed edit library and reads the written image back.
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed:\n${out}")
  endif()
endfunction()

function(expect_files)
  set(missing)
  foreach(file IN LISTS ARGN)
    if(NOT EXISTS "${PREFIX}/${file}")
      list(APPEND missing "${file}")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "not installed into ${PREFIX}: ${missing}")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")

if(WINDOWS)
  expect_files(${DLL_NAME} ${IMPORT_LIBRARY} teds_vb6.h teds_vb6.bas TedsSample.bas ieee_standard.tdl
               libteds_container.a teds_container.hpp libteds_edit.a teds_edit.hpp)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE "${PREFIX}" "${PREFIX}/*")
  foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${PREFIX}/${entry}")
      message(FATAL_ERROR "the Windows folder is not flat: ${entry}/")
    endif()
  endforeach()
  run("${C_COMPILER}" -std=c11 -Wall -Wextra -Werror -I "${PREFIX}" "-DTEDS_STANDARD_TEMPLATES=\"ieee_standard.tdl\""
      "${CALLER_SOURCE}"
      "${PREFIX}/${IMPORT_LIBRARY}" -loleaut32 -o "${PREFIX}/call_from_c.exe")
  run("${CXX_COMPILER}" -std=c++17 -Wall -Wextra -Werror -I "${PREFIX}" "${CONSUMER_SOURCE}/EditExample.cpp"
      "${PREFIX}/libteds_edit.a" "${PREFIX}/libteds_container.a" -static -o "${PREFIX}/edit_example.exe")
  set(edit_example ${EMULATOR} "${PREFIX}/edit_example.exe" "${PREFIX}/ieee_standard.tdl")
  execute_process(COMMAND ${EMULATOR} "${PREFIX}/call_from_c.exe" WORKING_DIRECTORY "${PREFIX}"
    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
else()
  expect_files(lib/libteds_vb6.so include/teds_vb6.h share/teds_vb6/ieee_standard.tdl
               lib/libteds_container.a include/teds_container.hpp lib/libteds_edit.a include/teds_edit.hpp
               lib/cmake/teds_vb6/teds_vb6Config.cmake
               lib/cmake/teds_vb6/teds_vb6ConfigVersion.cmake)
  if(EXPECT_TOOL)
    expect_files(bin/tedsdump bin/tedsscale)
  endif()
  set(consumer "${PREFIX}-consumer")
  file(REMOVE_RECURSE "${consumer}")
  run(${CMAKE_COMMAND} -S "${CONSUMER_SOURCE}" -B "${consumer}" "-DCMAKE_PREFIX_PATH=${PREFIX}"
      "-DCALLER_SOURCE=${CALLER_SOURCE}" "-DDUMP=${DUMP}")
  run(${CMAKE_COMMAND} --build "${consumer}")
  # The README's C++ example, against the installed container library.
  run("${consumer}/container_example" "${DUMP}" "${consumer}/converted.ted")
  set(edit_example "${consumer}/edit_example" "${PREFIX}/share/teds_vb6/ieee_standard.tdl")
  execute_process(COMMAND "${consumer}/consumer" WORKING_DIRECTORY "${consumer}"
    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
endif()
if(failed)
  message(FATAL_ERROR "the caller built against the installed copy failed:\n${out}")
endif()
set(caller_out "${out}")

execute_process(COMMAND ${edit_example} "${SENSOR}" "${PREFIX}/recalibrated.ted"
  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(failed OR NOT out MATCHES "%CalDate = 2026-11-30[\r\n]" OR NOT out MATCHES "%CalInitials = JRS[\r\n]")
  message(FATAL_ERROR "the C++ editor built against the installed copy failed:\n${out}")
endif()
set(out "${caller_out}")
message(STATUS "installed copy works: ${out}")
