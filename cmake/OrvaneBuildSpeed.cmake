# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers for every target, so that a fresh build parses the standard library, Qt
# and GoogleTest once per kind of target rather than once per source file.
#
#   orvane_precompile_all_targets()   (once, at the end of the top-level CMakeLists.txt)
#
# walks every target the build declares, so a new library, program or test gets its headers
# without a line of its own. A target's kind follows from what it links, directly or through
# other targets: the editor widget (QScintilla), Qt's widgets, GoogleTest, QtCore, or the
# standard library alone. The first target of a kind compiles the header; the others reuse it
# (the compiler falls back to the plain headers should a target's flags not suit it, so a reuse
# never changes the result).
#
# The headers are only the system's, never the project's own: editing a project header must not
# rebuild everything, and the core must never see Qt, which its kind's list leaves out.
#
# Off unless asked for (-DORVANE_PCH=ON): a header compiled for the first target of a kind is
# refused, with a warning, by a target whose definitions differ, and GCC 12 then reports false
# array bounds in inlined string code, both errors under ORVANE_WERROR; and under ccache the
# cache would miss on every file after every rebuild of a header.
set(pch_default OFF)
option(ORVANE_PCH "Precompiled headers for every target" ${pch_default})

set(ORVANE_PCH_HEADERS_std
  <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <string> <string_view>
  <utility> <vector>)
set(ORVANE_PCH_HEADERS_qtcore ${ORVANE_PCH_HEADERS_std} <QObject> <QString> <QStringList>)
set(ORVANE_PCH_HEADERS_gtest ${ORVANE_PCH_HEADERS_std} <gtest/gtest.h>)
set(ORVANE_PCH_HEADERS_widgets ${ORVANE_PCH_HEADERS_qtcore}
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

function(orvane_pch_kind target out)
  orvane_linked_closure(${target} linked)
  if("Qt6::Widgets" IN_LIST linked AND linked MATCHES "qscintilla")
    set(kind editor)
  elseif("Qt6::Widgets" IN_LIST linked)
    set(kind widgets)
  elseif(linked MATCHES "(^|;)GTest::")
    set(kind gtest)
  elseif(linked MATCHES "(^|;)Qt6::")
    set(kind qtcore)
  else()
    set(kind std)
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

function(orvane_precompile_all_targets)
  if(NOT ORVANE_PCH)
    return()
  endif()
  orvane_targets_in(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|cc|cxx)$")
    if(NOT sources)
      continue()
    endif()
    orvane_pch_kind(${target} kind)
    if(DEFINED donor_${kind})
      target_precompile_headers(${target} REUSE_FROM ${donor_${kind}})
    else()
      target_precompile_headers(${target} PRIVATE ${ORVANE_PCH_HEADERS_${kind}})
      set(donor_${kind} ${target})
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
