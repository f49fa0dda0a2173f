# SPDX-License-Identifier: GPL-3.0-or-later
# Run after a QtTest program is built: asks it for its test functions (-functions) and writes
# one CTest entry per function, so the summary names the function that failed and a hang in one
# holds only its own timeout.
#   -DBINARY= -DPREFIX= -DOUT= -DLABEL= -DTIMEOUT= -DENV= (';'-separated, '|' in place of ';')
string(REPLACE "|" ";" environment "${ENV}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${BINARY} -functions
  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${BINARY} -functions failed (${status}):\n${listing}${errors}")
endif()
string(REPLACE "|" "\\;" ctest_environment "${ENV}")
set(text "")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
foreach(function ${functions})
  string(REPLACE "()" "" function ${function})
  string(APPEND text "add_test([=[${PREFIX}.${function}]=] [=[${BINARY}]=] ${function})\n"
    "set_tests_properties([=[${PREFIX}.${function}]=] PROPERTIES LABELS ${LABEL} "
    "TIMEOUT ${TIMEOUT} ENVIRONMENT \"${ctest_environment}\")\n")
endforeach()
if(text STREQUAL "")
  message(FATAL_ERROR "${BINARY} lists no test functions:\n${listing}")
endif()
file(WRITE ${OUT} "${text}")
