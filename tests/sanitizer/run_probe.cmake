# Runs the sanitizer probe in one mode; passes when it exits with status 0 or not
# as EXPECT says (success or failure) and its output contains OUTPUT.
execute_process(COMMAND ${PROBE} ${MODE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(EXPECT STREQUAL "success" AND NOT status EQUAL 0)
  message(FATAL_ERROR "probe ${MODE} failed (${status}):\n${out}${err}")
endif()
if(EXPECT STREQUAL "failure" AND status EQUAL 0)
  message(FATAL_ERROR "probe ${MODE} passed, but a sanitizer report must fail the run:\n${out}${err}")
endif()
string(FIND "${out}${err}" "${OUTPUT}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "probe ${MODE}: expected \"${OUTPUT}\" in:\n${out}${err}")
endif()
