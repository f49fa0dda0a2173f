# The core is cut into layers, each a static library that names the layers it uses on its link
# line. That link line is the only place a dependency is declared: every call records its layer
# in a manifest, and the layer check (tests/CMakeLists.txt) holds each source's includes to it.
#
#   orvane_layer(NAME [PLATFORM] SOURCES file... [USES layer...])
#
# PLATFORM marks a layer that may include the operating system's headers (POSIX, termios);
# keeping them there means another platform only needs layers of its own.

# Stricter warnings for the core alone.
add_library(orvane_core_warnings INTERFACE)
target_compile_options(orvane_core_warnings INTERFACE -Wshadow -Wconversion)

set(ORVANE_LAYER_MANIFEST ${PROJECT_BINARY_DIR}/orvane-layers.cmake)

function(orvane_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "PLATFORM" "" "SOURCES;USES")
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_USES} PRIVATE orvane_warnings orvane_core_warnings)

  set(files "")
  foreach(source IN LISTS L_SOURCES)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    list(APPEND files ${relative})
  endforeach()
  list(SORT files)
  string(CONCAT record
    "list(APPEND ORVANE_LAYERS ${name})\n"
    "set(ORVANE_LAYER_${name}_USES \"${L_USES}\")\n"
    "set(ORVANE_LAYER_${name}_PLATFORM ${L_PLATFORM})\n"
    "set(ORVANE_LAYER_${name}_SOURCES \"${files}\")\n")
  set_property(GLOBAL APPEND_STRING PROPERTY ORVANE_LAYER_RECORDS "${record}")
endfunction()

# Writes the manifest of every layer declared so far (rewritten only when it changed).
function(orvane_write_layer_manifest)
  get_property(records GLOBAL PROPERTY ORVANE_LAYER_RECORDS)
  file(CONFIGURE OUTPUT ${ORVANE_LAYER_MANIFEST} CONTENT "${records}" @ONLY)
endfunction()
