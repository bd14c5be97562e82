# Installs the Python package of a build into an empty folder, as the
# install command does into the interpreter's own, and imports it from there
# with nothing of the build in reach: it must decode a real sensor with the
# templates it carries.
#   cmake -DBUILD=<build> -DPYTHON=<python3> -DINSTALL_DIR=<package folder>
#         -DSENSOR=<image> -DDESTDIR=<empty folder> -P CheckPythonInstall.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${DESTDIR}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR} ${CMAKE_COMMAND} --install ${BUILD} --component python
  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(failed)
  message(FATAL_ERROR "installing the Python package failed:\n${out}")
endif()

set(site "${DESTDIR}${INSTALL_DIR}")
foreach(file __init__.py py.typed _native.pyi templates/ieee_standard.tdl)
  if(NOT EXISTS "${site}/teds1451/${file}")
    message(FATAL_ERROR "the installed package lacks ${file}")
  endif()
endforeach()

set(check [=[
import sys, teds1451
assert teds1451.__file__.startswith(sys.argv[1]), teds1451.__file__
sensor = teds1451.read(sys.argv[2])
print(sensor.templates[0].template_id, sensor["%Sens@Ref"].value)
]=])
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=PYTHONPATH PYTHONPATH=${site} PYTHONDONTWRITEBYTECODE=1
                        ${PYTHON} -c "${check}" ${site} ${SENSOR}
  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(failed OR NOT out MATCHES "^25 4\\.99")
  message(FATAL_ERROR "the installed package did not decode ${SENSOR}:\n${out}")
endif()
message(STATUS "installed package decodes: ${out}")
