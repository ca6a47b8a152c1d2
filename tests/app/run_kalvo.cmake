# Runs the command after "--" and checks how it ends:
#   -DEXPECT=success  exit status 0, nothing on standard error, standard output
#                     containing OUTPUT (or equal to it, with -DEXACT=ON)
#   -DEXPECT=failure  non-zero exit status, nothing on standard output, standard
#                     error containing OUTPUT
# -DSTATUS=<n> asks for that exit status instead.
# OUTPUT is a literal text, not a pattern; -DOUTPUT_FILE=<file> takes it from a file.
set(command)
set(collecting OFF)
foreach(i RANGE ${CMAKE_ARGC})
  if(collecting AND DEFINED CMAKE_ARGV${i})
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(collecting ON)
  endif()
endforeach()

if(DEFINED OUTPUT_FILE)
  file(READ "${OUTPUT_FILE}" OUTPUT)
endif()

execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE ";" " " shown "${command}")
message(STATUS "ran: ${shown}\nstatus: ${status}\nstdout:\n${out}\nstderr:\n${err}")

if(DEFINED STATUS AND NOT status EQUAL STATUS)
  message(FATAL_ERROR "expected exit status ${STATUS}")
endif()
if(EXPECT STREQUAL "success")
  if((NOT DEFINED STATUS AND NOT status EQUAL 0) OR NOT err STREQUAL "")
    message(FATAL_ERROR "expected success with nothing on standard error")
  endif()
  set(checked "${out}")
elseif(EXPECT STREQUAL "failure")
  if(status EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "expected a failure with nothing on standard output")
  endif()
  set(checked "${err}")
else()
  message(FATAL_ERROR "EXPECT must be success or failure")
endif()

if(EXACT)
  if(NOT checked STREQUAL "${OUTPUT}")
    message(FATAL_ERROR "expected exactly:\n${OUTPUT}")
  endif()
else()
  string(FIND "${checked}" "${OUTPUT}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected to contain:\n${OUTPUT}")
  endif()
endif()
