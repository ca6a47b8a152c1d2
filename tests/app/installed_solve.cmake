# Installs the build into a scratch prefix and solves with the installed kalvo: it
# must find the installed module by itself.
#   -DBUILD=<build directory> -DPREFIX=<scratch prefix> -DBINDIR=<relative bin directory>
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}" RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
execute_process(COMMAND "${PREFIX}/${BINDIR}/kalvo" solve BOP 0 a b=1.25 c=2 --json
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "installed: status ${status}\n${out}${err}")
set(expected "{\"directory\":\"BOP\",\"equation\":0,\"variable\":\"a\",\"set\":1,\"status\":0,\"message\":\"\",\"values\":{\"a\":3.25,\"b\":1.25,\"c\":2.0}}\n")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "the installed kalvo did not solve")
endif()
file(REMOVE_RECURSE "${PREFIX}")
