# Writes the module-definition file of the simulator's executable, Orbiter.exe, for
# an import library where the SDK's own Orbiter.lib is not at hand: every function
# with C++ linkage that the module's objects use and do not define themselves.
# They come from the SDK's headers (and InitLib and Date2Int, which the executable
# exports undeclared); the C functions come from the C runtime and the system.
# cmake -DNM=<llvm-nm> -DOBJECTS=<object|object|...> -DDEF=<output.def> -P simulator_imports.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" OBJECTS "${OBJECTS}")
execute_process(COMMAND ${NM} --undefined-only -j ${OBJECTS} OUTPUT_VARIABLE used RESULT_VARIABLE failed)
execute_process(COMMAND ${NM} --defined-only -j ${OBJECTS} OUTPUT_VARIABLE defined RESULT_VARIABLE failed_too)
if(failed OR failed_too)
  message(FATAL_ERROR "${NM} could not read the module's objects")
endif()
string(REGEX REPLACE "[^\n]*:\n" "" used "${used}")
string(REGEX REPLACE "(^|\n)__imp_" "\\1" used "${used}")
string(REPLACE "\n" ";" used "${used}")
string(REPLACE "\n" ";" defined "${defined}")
list(FILTER used INCLUDE REGEX "^\\?")
list(REMOVE_DUPLICATES used)
list(REMOVE_ITEM used ${defined})
list(SORT used)
list(JOIN used "\n" exports)
file(WRITE ${DEF} "LIBRARY Orbiter.exe\nEXPORTS\n${exports}\n")
