# SPDX-License-Identifier: GPL-3.0-or-later
# Holds every source of the core and of the window to its layer's uses:
#   cmake -DROOT=<source root> -DMANIFEST=<layer manifest> -P CheckLayers.cmake
# A source may include headers of its own layer and of the layers its layer uses; a layer uses
# only layers below it; outside headers only of the families its layer names (the operating
# system's in platform layers, Qt in the window's, the editor widget in the editor's alone);
# every file under core/, settings/, app/ and the programs that compose the window (screenshots/,
# helpdoc/) belongs to a layer. Each fault is printed; any fault fails the check.
cmake_minimum_required(VERSION 3.20)
include(${MANIFEST})

set(faults 0)
macro(fault text)
  message(${text})
  math(EXPR faults "${faults} + 1")
endmacro()

# The outside headers by family, first match wins; the standard library's own are everyone's.
set(families qscintilla qt posix)
set(family_qscintilla "^Qsci/")
set(family_qt "^(Q[A-Za-z]|qt)")
set(family_posix "^(unistd\\.h|fcntl\\.h|poll\\.h|termios\\.h|spawn\\.h|pthread\\.h|dlfcn\\.h|dirent\\.h|pwd\\.h|pty\\.h|signal\\.h|windows\\.h|sys/|asm/|linux/)")

function(family_of header out)
  set(found "")
  foreach(family IN LISTS families)
    if(header MATCHES "${family_${family}}")
      set(found ${family})
      break()
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(below "")
foreach(layer IN LISTS ORVANE_LAYERS)
  foreach(used IN LISTS ORVANE_LAYER_${layer}_USES)
    if(NOT used IN_LIST below)
      fault("${layer} uses ${used}, which is not below it")
    endif()
  endforeach()
  list(APPEND below ${layer})
  foreach(file IN LISTS ORVANE_LAYER_${layer}_SOURCES)
    set("owner ${file}" ${layer})
  endforeach()
endforeach()

foreach(layer IN LISTS ORVANE_LAYERS)
  set(allowed ${layer} ${ORVANE_LAYER_${layer}_USES})
  foreach(file IN LISTS ORVANE_LAYER_${layer}_SOURCES)
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "include[ \t]*\"([^\"]+)\"")
        set(header ${CMAKE_MATCH_1})
        set(key "owner ${header}")
        set(owner "${${key}}")
        if(NOT owner)
          fault("${file} includes ${header}, which belongs to no layer")
        elseif(NOT owner IN_LIST allowed)
          fault("${file} includes ${header}: ${layer} does not use ${owner}")
        endif()
      elseif(line MATCHES "include[ \t]*<([^>]+)>")
        set(header ${CMAKE_MATCH_1})
        family_of("${header}" family)
        if(family AND NOT family IN_LIST ORVANE_LAYER_${layer}_SYSTEM)
          fault("${file} includes <${header}>, a ${family} header its layer ${layer} may not use")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB_RECURSE everything RELATIVE ${ROOT}
  ${ROOT}/core/*.h ${ROOT}/core/*.cpp ${ROOT}/app/*.h ${ROOT}/app/*.cpp
  ${ROOT}/settings/*.h ${ROOT}/settings/*.cpp
  ${ROOT}/screenshots/*.h ${ROOT}/screenshots/*.cpp ${ROOT}/helpdoc/*.h ${ROOT}/helpdoc/*.cpp)
foreach(file IN LISTS everything)
  set(key "owner ${file}")
  set(owner "${${key}}")
  if(NOT owner)
    fault("${file} belongs to no layer")
  endif()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} fault(s) in the layers")
endif()
list(LENGTH ORVANE_LAYERS layers)
message("${layers} layers, every include where its layer allows it")
