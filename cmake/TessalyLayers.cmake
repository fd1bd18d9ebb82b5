# The layer check: before any library of src/ compiles, cmake/check_layers.py
# reads src/layers.txt, every #include of src/, tests/, bench/ and fuzz/ and
# the libraries this configuration defines, and fails the build on an include
# against the layers or the _win32 rule. It runs again whenever a source, the
# table or a library's sources change.

# Debian's python3, which scripts/lib.sh installs, before any other on PATH.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TESSALY_LAYER_LIBRARIES_FILE ${CMAKE_BINARY_DIR}/layer_libraries.txt)
set(TESSALY_LAYER_STAMP ${CMAKE_BINARY_DIR}/layers_checked.stamp)

set(tessaly_layer_globs)
foreach(folder src tests bench fuzz)
  list(APPEND tessaly_layer_globs ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
endforeach()
# CONFIGURE_DEPENDS: a new or removed file is seen without configuring by hand.
file(GLOB_RECURSE tessaly_layer_sources CONFIGURE_DEPENDS ${tessaly_layer_globs})

add_custom_command(OUTPUT ${TESSALY_LAYER_STAMP}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/check_layers.py --root ${PROJECT_SOURCE_DIR}
          --libraries ${TESSALY_LAYER_LIBRARIES_FILE}
  COMMAND ${CMAKE_COMMAND} -E touch ${TESSALY_LAYER_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/check_layers.py ${PROJECT_SOURCE_DIR}/src/layers.txt
          ${TESSALY_LAYER_LIBRARIES_FILE} ${tessaly_layer_sources}
  COMMENT "Checking every #include against src/layers.txt and the _win32 rule"
  VERBATIM)
add_custom_target(tessaly_layer_check DEPENDS ${TESSALY_LAYER_STAMP})

# tessaly_add_library(NAME <target> SOURCES ... [USES <libraries> ...])
# One layer's static library. USES names the libraries of the lower layers it
# builds on (and outside libraries); the layer check holds both its sources
# and those links to src/layers.txt. A _win32 library gets the Win32 headers'
# settings and the system libraries.
function(tessaly_add_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;USES" ${ARGN})
  add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${TESSALY_SOURCE_ROOT})
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_USES})
  if(ARG_NAME MATCHES "_win32$")
    target_link_libraries(${ARG_NAME} PUBLIC tessaly_win32_system)
  endif()
  tessaly_warnings(${ARG_NAME})
  add_dependencies(${ARG_NAME} tessaly_layer_check)
  set_property(GLOBAL APPEND PROPERTY TESSALY_LAYER_LIBRARIES ${ARG_NAME})
endfunction()

# Writes the list of libraries the check reads; call once, after every
# library is defined.
function(tessaly_write_layer_libraries)
  get_property(libraries GLOBAL PROPERTY TESSALY_LAYER_LIBRARIES)
  set(content "")
  foreach(library ${libraries})
    string(APPEND content "${library}\t$<TARGET_PROPERTY:${library},SOURCE_DIR>\t"
                          "$<TARGET_PROPERTY:${library},SOURCES>\t$<TARGET_PROPERTY:${library},LINK_LIBRARIES>\n")
  endforeach()
  file(GENERATE OUTPUT ${TESSALY_LAYER_LIBRARIES_FILE} CONTENT "${content}")
endfunction()
