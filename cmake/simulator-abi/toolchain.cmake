# Cross-builds for the simulator's own ABI on Debian: clang-cl compiles with the
# Microsoft C++ ABI, lld-link links, llvm-rc compiles resources. The simulator's
# SDK headers and the module read the Windows and C++ library headers of MinGW-w64
# (Debian's packages); nothing of MinGW's runtime is linked: the DLL imports the C
# runtime the simulator itself uses (vcruntime140.dll, ucrtbase.dll), and
# bare_runtime.cpp supplies what that runtime's static libraries would.
#
# Included by x86_64.cmake and i686.cmake, which set KALVO_ARCH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KALVO_ARCH})

find_program(CMAKE_CXX_COMPILER NAMES clang-cl clang-cl-14 REQUIRED)
find_program(CMAKE_LINKER NAMES lld-link lld-link-14 REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES llvm-rc llvm-rc-14 REQUIRED)
find_program(CMAKE_MT NAMES llvm-mt llvm-mt-14 REQUIRED)
find_program(KALVO_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
set(CMAKE_CXX_COMPILER_TARGET ${KALVO_ARCH}-pc-windows-msvc)
# Nothing here can link a program without the project's import libraries.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(KALVO_BARE_RUNTIME ON CACHE BOOL "Link without the C++ runtime's static libraries (bare_runtime.cpp stands in)")
set(KALVO_MINGW_ROOT /usr/${KALVO_ARCH}-w64-mingw32 CACHE PATH "MinGW-w64's headers and import libraries")
include(${CMAKE_CURRENT_LIST_DIR}/headers.cmake)
kalvo_abi_header_options(${KALVO_ARCH} kalvo_header_options)
if(NOT kalvo_header_options)
  message(FATAL_ERROR "no MinGW-w64 headers for ${KALVO_ARCH} (Debian's g++-mingw-w64-${KALVO_ARCH}-win32)")
endif()
# Without the runtime's static library there is no stack cookie to check: /GS-
# leaves the checks out.
string(JOIN " " CMAKE_CXX_FLAGS_INIT ${kalvo_header_options} /GS-)
set(CMAKE_RC_FLAGS_INIT "-I ${KALVO_MINGW_ROOT}/include")

# Only the import libraries named by the build are linked.
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")
foreach(kind SHARED MODULE EXE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "/nodefaultlib /manifest:no")
endforeach()
# The module's link map (KalvoMFD.map beside the DLL) names the function at each
# address, for the check of the DLL's code; the DLL itself is the same without it.
string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " /map")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh)
