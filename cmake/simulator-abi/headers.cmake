# The compiler options with which clang-cl reads the Windows and C++ library
# headers of MinGW-w64 (Debian's packages) for the simulator's ABI: the include
# folders of a target, and the definitions those headers, written for GCC, need:
# __GNUC__ keeps their attribute syntax, __STRICT_ANSI__ their portable paths, the
# atomic macros tell what the target's atomics are, and _UCRT selects the
# declarations of the Universal C runtime; _X86_, which MinGW's GCC predefines for
# 32-bit targets, selects the headers' x86 definitions. Shared by the toolchain files and the
# check that compiles the module against each release of the SDK.

# Sets `out` to the options for `arch` (x86_64 or i686), or to "" when the headers
# of that target are not installed.
function(kalvo_abi_header_options arch out)
  set(mingw ${arch}-w64-mingw32)
  file(GLOB libstdcxx LIST_DIRECTORIES true /usr/lib/gcc/${mingw}/*-win32/include/c++)
  if(NOT libstdcxx OR NOT EXISTS /usr/${mingw}/include/windows.h)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  list(GET libstdcxx 0 libstdcxx)
  set(options
    -imsvc ${libstdcxx} -imsvc ${libstdcxx}/${mingw} -imsvc /usr/${mingw}/include
    -D__GNUC__=12 -D__GNUC_MINOR__=2 -D__STRICT_ANSI__ -D_UCRT
    -D__GCC_ATOMIC_TEST_AND_SET_TRUEVAL=1 -D__GCC_ATOMIC_POINTER_LOCK_FREE=2)
  if(arch STREQUAL i686)
    list(APPEND options -D_X86_=1)
  endif()
  set(${out} ${options} PARENT_SCOPE)
endfunction()
