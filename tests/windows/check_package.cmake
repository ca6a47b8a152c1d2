# Builds the add-on package with CPack and checks what it holds: the DLL in
# Modules/Plugin and the documentation in Doc, nothing else (no host program).
# cmake -DBUILD=<build dir> -DCPACK=<cpack> -P check_package.cmake
execute_process(COMMAND ${CPACK} -G ZIP WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE result OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages ${BUILD}/KalvoMFD-*.zip)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one KalvoMFD-*.zip in ${BUILD}, found: ${packages}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${packages} OUTPUT_VARIABLE listing RESULT_VARIABLE result)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "/$|^$")
list(SORT entries)
set(expected "Doc/KalvoMFD.md;Modules/Plugin/KalvoMFD.dll")
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  message(FATAL_ERROR "${packages} holds \"${entries}\", expected \"${expected}\"")
endif()
message(STATUS "${packages}: ${entries}")
