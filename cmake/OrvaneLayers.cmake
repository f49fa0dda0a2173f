# SPDX-License-Identifier: GPL-3.0-or-later
# The core is cut into layers, each a static library that names the layers it uses on its link
# line. That link line is the only place a dependency is declared: every call records its layer
# in a manifest, and the layer check (cmake/CheckLayers.cmake) holds each source's includes to it.
#
#   orvane_layer(NAME [PLATFORM] SOURCES file... [USES layer...])
#
# PLATFORM marks a layer that may include the operating system's headers (POSIX, termios);
# keeping them there means another platform only needs layers of its own.
#
# The window's folders are layers of one library; they are only recorded:
#
#   orvane_record_layer(NAME SOURCES file... [USES layer...] [SYSTEM family...])
#
# SYSTEM names the families of outside headers the layer may include: posix, qt, qscintilla
# (the editor's widget, which only the editor's own folder may use).
#
# A program that composes the window (screenshots/, helpdoc/) is a layer above all of them:
#
#   orvane_program_layer(NAME SOURCES file... [SYSTEM family...])
#
# It may include every layer declared before it, but no other such program.

# Stricter warnings for the core alone.
add_library(orvane_core_warnings INTERFACE)
target_compile_options(orvane_core_warnings INTERFACE -Wshadow -Wconversion)

set(ORVANE_LAYER_MANIFEST ${PROJECT_BINARY_DIR}/orvane-layers.cmake)

function(orvane_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "PLATFORM" "" "SOURCES;USES")
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_USES} PRIVATE orvane_warnings orvane_core_warnings)
  set(system "")
  if(L_PLATFORM)
    set(system posix)
  endif()
  orvane_record_layer(${name} SOURCES ${L_SOURCES} USES ${L_USES} SYSTEM ${system})
endfunction()

function(orvane_record_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "" "SOURCES;USES;SYSTEM")
  set(files "")
  foreach(source IN LISTS L_SOURCES)
    get_filename_component(absolute ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${absolute})
    list(APPEND files ${relative})
  endforeach()
  list(SORT files)
  string(CONCAT record
    "list(APPEND ORVANE_LAYERS ${name})\n"
    "set(ORVANE_LAYER_${name}_USES \"${L_USES}\")\n"
    "set(ORVANE_LAYER_${name}_SYSTEM \"${L_SYSTEM}\")\n"
    "set(ORVANE_LAYER_${name}_SOURCES \"${files}\")\n")
  set_property(GLOBAL APPEND_STRING PROPERTY ORVANE_LAYER_RECORDS "${record}")
  set_property(GLOBAL APPEND PROPERTY ORVANE_LAYER_NAMES ${name})
endfunction()

function(orvane_program_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "" "SOURCES;SYSTEM")
  get_property(below GLOBAL PROPERTY ORVANE_LAYER_NAMES)
  list(FILTER below EXCLUDE REGEX "^program_")
  orvane_record_layer(program_${name} SOURCES ${L_SOURCES} USES ${below} SYSTEM ${L_SYSTEM})
  orvane_write_layer_manifest()
endfunction()

# Writes the manifest of every layer declared so far (rewritten only when it changed).
function(orvane_write_layer_manifest)
  get_property(records GLOBAL PROPERTY ORVANE_LAYER_RECORDS)
  file(CONFIGURE OUTPUT ${ORVANE_LAYER_MANIFEST} CONTENT "${records}" @ONLY)
endfunction()

# Runs the layer check whenever a source of `target` or of the core changes, before `target`
# builds, so an include pointed the wrong way fails the build itself.
function(orvane_check_layers_before target)
  file(GLOB_RECURSE checked CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/core/*.h ${PROJECT_SOURCE_DIR}/core/*.cpp
    ${PROJECT_SOURCE_DIR}/app/*.h ${PROJECT_SOURCE_DIR}/app/*.cpp
    ${PROJECT_SOURCE_DIR}/settings/*.h ${PROJECT_SOURCE_DIR}/settings/*.cpp
    ${PROJECT_SOURCE_DIR}/screenshots/*.h ${PROJECT_SOURCE_DIR}/screenshots/*.cpp
    ${PROJECT_SOURCE_DIR}/helpdoc/*.h ${PROJECT_SOURCE_DIR}/helpdoc/*.cpp)
  set(stamp ${PROJECT_BINARY_DIR}/layers-checked.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DMANIFEST=${ORVANE_LAYER_MANIFEST}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${checked} ${ORVANE_LAYER_MANIFEST} ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking every include against its layer" VERBATIM)
  add_custom_target(orvane_layers_checked DEPENDS ${stamp})
  add_dependencies(${target} orvane_layers_checked)
endfunction()
