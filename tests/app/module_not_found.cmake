# A copy of kalvo with no module beside it or in a library directory fails (exit
# status 69, as sysexits.h's EX_UNAVAILABLE) and says
# where it looked; with a file that is no library in the module's place, it names
# that file.
#   -DKALVO=<path of the built kalvo> -DWORK=<scratch directory> -DMODULE_NAME=<file name>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/bin")
file(COPY "${KALVO}" DESTINATION "${WORK}/bin")
set(lonely "${WORK}/bin/kalvo")

execute_process(COMMAND "${lonely}" solve BOP 0 a b=1 c=2 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "without a module: status ${status}\n${out}${err}")
string(FIND "${err}" "kalvo solve: cannot find the Kalvo MFD module (looked for \"${WORK}/bin/${MODULE_NAME}\", \"" at)
if(NOT status EQUAL 69 OR NOT out STREQUAL "" OR at EQUAL -1)
  message(FATAL_ERROR "expected a failure naming the places looked at")
endif()

file(WRITE "${WORK}/bin/${MODULE_NAME}" "not a library\n")
execute_process(COMMAND "${lonely}" solve BOP 0 a b=1 c=2 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "with a broken module: status ${status}\n${out}${err}")
string(FIND "${err}" "kalvo solve: cannot load module \"${WORK}/bin/${MODULE_NAME}\": " at)
if(NOT status EQUAL 69 OR NOT out STREQUAL "" OR at EQUAL -1)
  message(FATAL_ERROR "expected a failure naming the broken module")
endif()
file(REMOVE_RECURSE "${WORK}")
