# SPDX-License-Identifier: GPL-3.0-or-later
# data/ is mirrored into the build tree's data folder whenever a file in it changes, so the
# programs built here read the same layout as installed ones; `orvane_data` is the target the
# programs depend on.
set(ORVANE_DATA_SOURCE ${PROJECT_SOURCE_DIR}/data)
set(ORVANE_DATA_BUILD ${PROJECT_BINARY_DIR}/${ORVANE_SHARE_DIR})
file(GLOB_RECURSE data_files CONFIGURE_DEPENDS ${ORVANE_DATA_SOURCE}/*)
# The folders too: a file deleted or renamed changes its folder, and the stale copy must go.
set(data_folders ${ORVANE_DATA_SOURCE})
foreach(file IN LISTS data_files)
  get_filename_component(folder ${file} DIRECTORY)
  list(APPEND data_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES data_folders)

set(data_stamp ${PROJECT_BINARY_DIR}/CMakeFiles/orvane-data.stamp)
add_custom_command(OUTPUT ${data_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVANE_DATA_BUILD}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ORVANE_DATA_SOURCE} ${ORVANE_DATA_BUILD}
  COMMAND ${CMAKE_COMMAND} -E touch ${data_stamp}
  DEPENDS ${data_files} ${data_folders}
  COMMENT "Mirroring data/ to ${ORVANE_SHARE_DIR}/"
  VERBATIM)
add_custom_target(orvane_data ALL DEPENDS ${data_stamp})

install(DIRECTORY ${ORVANE_DATA_SOURCE}/ DESTINATION ${ORVANE_SHARE_DIR})
