# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers for the targets that use Qt's widgets, so that a fresh build parses Qt's
# headers once per kind of target rather than once per source file.
#
#   orvane_precompile_all_targets()   (once, at the end of the top-level CMakeLists.txt)
#
# walks every target the build declares, so a new library, program or test gets its headers
# without a line of its own. A target's kind follows from what it links, directly or through
# other targets: the editor widget (QScintilla) or Qt's widgets. Other targets get none: measured
# on a fresh build, a header of GoogleTest or QtCore took longer to compile than its users saved,
# since loading a precompiled header costs about a second itself; and code without Qt compiled
# after the standard library's headers as a header drew GCC 12's false array-bounds reports.
#
# The first target of a kind compiles the header; a later one reuses it only where the compiler
# would accept it: the same compile options (optimisation defines __OPTIMIZE__), and every
# definition and imported library of the donor among its own (a definition the header was built
# with and the target lacks makes GCC refuse it, an error under ORVANE_WERROR). Otherwise the
# target becomes a donor of its own.
#
# The headers are only the system's, never the project's own: editing a project header must not
# rebuild everything, and the core must never see Qt, which its kind's list leaves out.
#
# Off unless asked for (-DORVANE_PCH=ON; make's build directory asks): a developer's own build
# then still finds a missing include, and under ccache the cache would miss on every file after
# every rebuild of a header.
option(ORVANE_PCH "Precompiled headers for the targets that use Qt's widgets" OFF)

set(ORVANE_PCH_HEADERS_widgets
  <algorithm> <functional> <memory> <optional> <string> <string_view> <vector>
  <QObject> <QString> <QStringList>
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox> <QDir>
  <QFileInfo> <QGridLayout> <QHBoxLayout> <QLabel> <QLineEdit> <QMessageBox> <QPushButton>
  <QTimer> <QVBoxLayout> <QWidget>)
set(ORVANE_PCH_HEADERS_editor ${ORVANE_PCH_HEADERS_widgets} <Qsci/qsciscintilla.h>)

# Everything named on a target's link line, and on the lines of the targets it names, into
# ${out}. Imported targets (Qt6::Widgets, GTest::gtest) are visible only in the folder that found
# them, so they are kept by name and not followed.
function(orvane_linked_closure target out)
  set(seen "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      list(APPEND pending ${aliased})
      continue()
    endif()
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      list(APPEND links ${direct})
    endif()
    get_target_property(usage ${current} INTERFACE_LINK_LIBRARIES)
    list(APPEND links ${usage})
    foreach(link IN LISTS links)
      # $<LINK_LIBRARY:WHOLE_ARCHIVE,name>, $<LINK_ONLY:name>: the name is the last word.
      string(REGEX REPLACE "^\\$<[A-Z_]+:([^,>]*,)?([^>]+)>$" "\\2" link "${link}")
      if(link AND NOT link MATCHES "-NOTFOUND$")
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The kind of a target from what it links (orvane_linked_closure).
function(orvane_pch_kind linked out)
  if("Qt6::Widgets" IN_LIST linked AND linked MATCHES "qscintilla")
    set(kind editor)
  elseif("Qt6::Widgets" IN_LIST linked)
    set(kind widgets)
  else()
    set(kind none)
  endif()
  set(${out} ${kind} PARENT_SCOPE)
endfunction()

function(orvane_targets_in folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    orvane_targets_in(${subfolder} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# What a reused header must find in ${target}: its definitions, those its linked targets pass on,
# and the imported libraries it links (whose definitions are out of reach from here), into ${out}.
function(orvane_pch_needs target linked out)
  get_target_property(needs ${target} COMPILE_DEFINITIONS)
  foreach(link IN LISTS linked)
    if(link MATCHES "::")
      list(APPEND needs "link:${link}")
    elseif(TARGET ${link})
      get_target_property(passed ${link} INTERFACE_COMPILE_DEFINITIONS)
      list(APPEND needs ${passed})
    endif()
  endforeach()
  list(FILTER needs EXCLUDE REGEX "-NOTFOUND$")
  list(REMOVE_DUPLICATES needs)
  set(${out} ${needs} PARENT_SCOPE)
endfunction()

# The first donor of ${group} whose needs are all among ${needs}, or empty; the donors of a group
# and the needs of each are the caller's donors_<group> and needs_<donor>.
function(orvane_pch_donor group needs out)
  foreach(candidate IN LISTS donors_${group})
    set(fits TRUE)
    foreach(need IN LISTS needs_${candidate})
      if(NOT need IN_LIST needs)
        set(fits FALSE)
        break()
      endif()
    endforeach()
    if(fits)
      set(${out} ${candidate} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(orvane_precompile_all_targets)
  if(NOT ORVANE_PCH)
    return()
  endif()
  orvane_targets_in(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|cc|cxx)$")
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" OR NOT sources)
      continue()
    endif()
    orvane_linked_closure(${target} linked)
    orvane_pch_kind("${linked}" kind)
    if(kind STREQUAL "none")
      continue()
    endif()
    orvane_pch_needs(${target} "${linked}" needs)
    get_target_property(options ${target} COMPILE_OPTIONS)
    string(MAKE_C_IDENTIFIER "${kind} ${options}" group)
    orvane_pch_donor(${group} "${needs}" donor)
    if(donor)
      target_precompile_headers(${target} REUSE_FROM ${donor})
    else()
      target_precompile_headers(${target} PRIVATE ${ORVANE_PCH_HEADERS_${kind}})
      list(APPEND donors_${group} ${target})
      set(needs_${target} ${needs})
    endif()
  endforeach()
endfunction()

# Seventy programs and test binaries link against the same libraries; gold (part of binutils)
# links them in about half the time of the default linker. Kept to the default where absent.
function(orvane_fast_linker)
  include(CheckLinkerFlag)
  check_linker_flag(CXX "-fuse-ld=gold" ORVANE_HAS_GOLD)
  if(ORVANE_HAS_GOLD)
    add_link_options(-fuse-ld=gold)
  endif()
endfunction()
