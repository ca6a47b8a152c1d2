# The simulator's 64-bit ABI (its 2024 release): see toolchain.cmake.
set(KALVO_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
