# The Windows build: KalvoMFD.dll in the simulator's own ABI, compiled against the
# simulator's published SDK headers, and the add-on package. Included by the
# top-level CMakeLists.txt, which lists the module's sources.
#
# With the simulator's compiler (MSVC or clang-cl on Windows) and an installed
# simulator, -DKALVO_SDK_DIR=<simulator>/Orbitersdk links the SDK's Orbiter.lib. On
# Debian (cmake/simulator-abi/x86_64.cmake or i686.cmake) the same sources and
# options build against the headers alone: the import libraries of the simulator's
# executable and of the C runtime are made here with llvm-dlltool.

set(kalvo_default_sdk ${PROJECT_SOURCE_DIR}/../shared/orbitersdk/2024)
if(NOT EXISTS ${kalvo_default_sdk})
  set(kalvo_default_sdk "")
endif()
set(KALVO_SDK_DIR "${kalvo_default_sdk}" CACHE PATH "The simulator's SDK folder (its include/ holds Orbitersdk.h)")
if(NOT EXISTS ${KALVO_SDK_DIR}/include/Orbitersdk.h)
  message(FATAL_ERROR "KALVO_SDK_DIR \"${KALVO_SDK_DIR}\" has no include/Orbitersdk.h: "
                      "give -DKALVO_SDK_DIR=<simulator>/Orbitersdk")
endif()
get_filename_component(KALVO_SDK_DIR ${KALVO_SDK_DIR} ABSOLUTE)
message(STATUS "Simulator SDK: ${KALVO_SDK_DIR}")

if(KALVO_WERROR)
  add_compile_options(/WX)
endif()
add_compile_options(/W4)
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)

# The SDK's headers, read as system headers: their own warnings are not the module's.
add_library(kalvo_sdk INTERFACE)
target_include_directories(kalvo_sdk SYSTEM INTERFACE ${KALVO_SDK_DIR}/include)
if(CMAKE_HOST_UNIX)
  target_include_directories(kalvo_sdk SYSTEM INTERFACE ${PROJECT_SOURCE_DIR}/cmake/simulator-abi)
endif()

# The module's objects, and beside them, where no C++ runtime library is linked,
# what that library would supply.
set(kalvo_dll_sources ${kalvo_module_sources} host/entry.cpp)
if(KALVO_BARE_RUNTIME)
  list(APPEND kalvo_dll_sources cmake/simulator-abi/bare_runtime.cpp)
endif()
add_library(kalvo_dll_objects OBJECT ${kalvo_dll_sources})
target_include_directories(kalvo_dll_objects PRIVATE ${kalvo_module_include_dir})
target_link_libraries(kalvo_dll_objects PUBLIC kalvo_sdk)

# The import library of the simulator's executable: the SDK's, or one made from
# what the objects import.
if(EXISTS ${KALVO_SDK_DIR}/lib/Orbiter.lib)
  set(kalvo_simulator_lib ${KALVO_SDK_DIR}/lib/Orbiter.lib)
else()
  if(NOT KALVO_DLLTOOL)
    message(FATAL_ERROR "${KALVO_SDK_DIR}/lib/Orbiter.lib is missing, and without llvm-dlltool "
                        "no import library can be made in its place")
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(kalvo_dlltool_machine i386:x86-64)
  else()
    set(kalvo_dlltool_machine i386)
  endif()
  find_program(KALVO_NM NAMES llvm-nm llvm-nm-14 REQUIRED)
  set(kalvo_simulator_def ${CMAKE_BINARY_DIR}/Orbiter.def)
  set(kalvo_simulator_lib ${CMAKE_BINARY_DIR}/Orbiter.lib)
  add_custom_command(OUTPUT ${kalvo_simulator_def}
    COMMAND ${CMAKE_COMMAND} -DNM=${KALVO_NM} "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:kalvo_dll_objects>,|>"
            -DDEF=${kalvo_simulator_def} -P ${PROJECT_SOURCE_DIR}/cmake/simulator-abi/simulator_imports.cmake
    DEPENDS kalvo_dll_objects $<TARGET_OBJECTS:kalvo_dll_objects>
            ${PROJECT_SOURCE_DIR}/cmake/simulator-abi/simulator_imports.cmake
    VERBATIM)
  add_custom_command(OUTPUT ${kalvo_simulator_lib}
    COMMAND ${KALVO_DLLTOOL} -m ${kalvo_dlltool_machine} -d ${kalvo_simulator_def} -l ${kalvo_simulator_lib}
    DEPENDS ${kalvo_simulator_def} VERBATIM)
  add_custom_target(kalvo_simulator_import DEPENDS ${kalvo_simulator_lib})
endif()

# The C runtime of the simulator's compiler, where its import libraries are not at hand.
set(kalvo_runtime_libs "")
if(KALVO_BARE_RUNTIME)
  foreach(runtime vcruntime140 ucrtbase)
    set(lib ${CMAKE_BINARY_DIR}/${runtime}.lib)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${KALVO_DLLTOOL} -m ${kalvo_dlltool_machine}
              -d ${PROJECT_SOURCE_DIR}/cmake/simulator-abi/${runtime}.def -l ${lib}
      DEPENDS ${PROJECT_SOURCE_DIR}/cmake/simulator-abi/${runtime}.def VERBATIM)
    list(APPEND kalvo_runtime_libs ${lib})
  endforeach()
  add_custom_target(kalvo_runtime_imports DEPENDS ${kalvo_runtime_libs})
  list(APPEND kalvo_runtime_libs ${KALVO_MINGW_ROOT}/lib/libgdi32.a ${KALVO_MINGW_ROOT}/lib/libkernel32.a)
else()
  list(APPEND kalvo_runtime_libs gdi32 kernel32)
endif()

# The module: its entry routine is DllMain (with the simulator's compiler, its C
# runtime's start-up calls it). Resources 1000 and 1001 are the description and
# the category that the simulator's launchpad lists.
add_library(KalvoMFD MODULE $<TARGET_OBJECTS:kalvo_dll_objects> host/KalvoMFD.rc)
target_link_libraries(KalvoMFD PRIVATE ${kalvo_simulator_lib} ${kalvo_runtime_libs})
set_target_properties(KalvoMFD PROPERTIES PREFIX "")
if(TARGET kalvo_simulator_import)
  add_dependencies(KalvoMFD kalvo_simulator_import)
endif()
if(KALVO_BARE_RUNTIME)
  add_dependencies(KalvoMFD kalvo_runtime_imports)
  target_link_options(KalvoMFD PRIVATE /entry:DllMain)
endif()

# The pilots' guide also as HTML, for a browser, with its picture beside it.
find_program(KALVO_CMARK cmark-gfm)
if(NOT KALVO_CMARK)
  message(FATAL_ERROR "cmark-gfm, which makes the guide's HTML, is missing (Debian: apt-get install cmark-gfm)")
endif()
set(kalvo_guide_html ${CMAKE_BINARY_DIR}/KalvoMFD.html)
add_custom_command(OUTPUT ${kalvo_guide_html}
  COMMAND ${CMAKE_COMMAND} -DCMARK=${KALVO_CMARK} -DIN=${PROJECT_SOURCE_DIR}/docs/KalvoMFD.md
          -DOUT=${kalvo_guide_html} -P ${PROJECT_SOURCE_DIR}/cmake/guide-html.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/KalvoMFD.md ${PROJECT_SOURCE_DIR}/cmake/guide-html.cmake
  VERBATIM)
add_custom_target(kalvo_guide_html ALL DEPENDS ${kalvo_guide_html})

# The add-on as a user installs it: unpacked into the simulator's folder. Packing
# takes what the build made and builds nothing itself.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
install(TARGETS KalvoMFD LIBRARY DESTINATION Modules/Plugin)
install(FILES docs/KalvoMFD.md ${kalvo_guide_html} docs/KalvoMFD-page.png DESTINATION Doc)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(kalvo_package_arch x64)
else()
  set(kalvo_package_arch x86)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KalvoMFD)
set(CPACK_PACKAGE_FILE_NAME KalvoMFD-${PROJECT_VERSION}-${kalvo_package_arch})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The checks and the host with the simulator's ABI need the Debian toolchain's
# tools (llvm-objdump, the generated import definitions, Wine).
include(CTest)
if(BUILD_TESTING AND KALVO_BARE_RUNTIME)
  add_subdirectory(tests/windows)
endif()
