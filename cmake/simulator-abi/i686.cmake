# The simulator's 32-bit ABI (its 2016 release, and the 32-bit 2024 build): see
# toolchain.cmake.
set(KALVO_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
# Double arithmetic in IEEE double, as the 64-bit build does it and as the
# simulator's own compiler builds 32-bit code by default: scalar SSE2, not the x87
# unit, whose 80-bit registers keep intermediates wider than a double (a square
# that overflows a double stays finite there).
string(APPEND CMAKE_CXX_FLAGS_INIT " /arch:SSE2 /clang:-mfpmath=sse")
# MinGW-w64's import libraries of the system's DLLs carry no table of safe
# exception handlers, which the 32-bit linker asks of every object by default.
foreach(kind SHARED MODULE EXE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS_INIT " /safeseh:no")
endforeach()
