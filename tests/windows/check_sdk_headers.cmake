# Compiles every module source, without generating code, against one release of
# the simulator's SDK headers for one target, with warnings as errors: the module
# must read the same against each release the add-on is for. A release or target
# whose headers are not on this machine is skipped with a line saying so.
# cmake -DCOMPILER=<clang-cl> -DROOT=<project> -DMODULE_INCLUDE=<the module's include folder>
#       -DSDK=<release>/include -DARCH=x86_64|i686
#       -DSOURCES=<source|source|...> -P check_sdk_headers.cmake
cmake_minimum_required(VERSION 3.25)
include(${ROOT}/cmake/simulator-abi/headers.cmake)
if(NOT EXISTS ${SDK}/Orbitersdk.h)
  message("skipped: no SDK headers at ${SDK}")
  return()
endif()
kalvo_abi_header_options(${ARCH} options)
if(NOT options)
  message("skipped: no MinGW-w64 headers for ${ARCH} (Debian's g++-mingw-w64-${ARCH}-win32)")
  return()
endif()
string(REPLACE "|" ";" SOURCES "${SOURCES}")
set(failed "")
set(count 0)
foreach(source IN LISTS SOURCES)
  execute_process(
    COMMAND ${COMPILER} --target=${ARCH}-pc-windows-msvc /Zs /W4 /WX /EHsc -std:c++20 ${options}
            -I${MODULE_INCLUDE} -imsvc ${SDK} -imsvc ${ROOT}/cmake/simulator-abi -- ${ROOT}/${source}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  math(EXPR count "${count} + 1")
  if(NOT result EQUAL 0)
    string(APPEND failed "${source}:\n${output}\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "against ${SDK} for ${ARCH}:\n${failed}")
endif()
message("${count} module sources compile against ${SDK} for ${ARCH}")
