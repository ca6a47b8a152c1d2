# Builds the add-on package with CPack and checks what it holds: the DLL in
# Modules/Plugin and, in Doc, the guide as Markdown and as HTML with the page's
# picture, nothing else (no host program); and that the HTML shows the picture
# (a link relative to it, as it lies beside it) and the tables.
# cmake -DBUILD=<build dir> -DCPACK=<cpack> -P check_package.cmake
cmake_minimum_required(VERSION 3.25)
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
set(expected "Doc/KalvoMFD-page.png;Doc/KalvoMFD.html;Doc/KalvoMFD.md;Modules/Plugin/KalvoMFD.dll")
if(NOT result EQUAL 0 OR NOT entries STREQUAL expected)
  message(FATAL_ERROR "${packages} holds \"${entries}\", expected \"${expected}\"")
endif()

set(unpacked ${BUILD}/package-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${packages} WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE result)
file(READ ${unpacked}/Doc/KalvoMFD.html html)
foreach(shown "<img src=\"KalvoMFD-page.png\"" "<table>")
  string(FIND "${html}" "${shown}" at)
  if(NOT result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "Doc/KalvoMFD.html of ${packages} lacks ${shown}")
  endif()
endforeach()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "${packages}: ${entries}")
