# The Windows build: KalvoMFD.dll drawn by the real GDI, and the stand-in host as
# the program kalvo-sim.exe, which exports the host's side of the add-on interface
# (the oapi functions, the MFD base class, VESSEL) for the DLL to import, as the
# simulator's executable does. Included by the top-level CMakeLists.txt, which lists
# the shared sources.

enable_language(RC)

# Everything the C++ runtime brings is linked in: only the DLL and the host
# executable are needed to run.
add_link_options(-static-libgcc -static-libstdc++ -static)

# nlohmann/json is a header-only library; take Debian's headers alone, not the
# rest of /usr/include, which belongs to the build machine's C library.
find_path(kalvo_json_headers nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(kalvo_json_include ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${kalvo_json_include})
file(CREATE_LINK ${kalvo_json_headers}/nlohmann ${kalvo_json_include}/nlohmann SYMBOLIC)

# The host's objects: the shared sources and the Windows seams (LoadLibrary, the
# real GDI's default font and pen, a DIB section to draw on). Compiled once, linked
# into kalvo-sim.exe and into the test programs that play the host.
add_library(kalvo_host_objects OBJECT
  ${kalvo_host_sources}
  sim/dynamic_library_win32.cpp
  sim/host_look_win32.cpp
  sim/canvas_win32.cpp)
target_include_directories(kalvo_host_objects PUBLIC ${PROJECT_SOURCE_DIR})
target_include_directories(kalvo_host_objects SYSTEM PRIVATE ${kalvo_json_include})
target_compile_definitions(kalvo_host_objects PUBLIC KALVO_HOST_EXPORTS)
target_link_libraries(kalvo_host_objects PUBLIC gdi32 user32)

# The host program. ENABLE_EXPORTS makes the import library the DLL links against;
# the DLL then imports from "kalvo-sim.exe", so the program keeps that name.
add_executable(kalvo-sim sim/kalvo_sim.cpp)
target_compile_definitions(kalvo-sim PRIVATE KALVO_MODULE_FILE_NAME="KalvoMFD.dll")
target_link_libraries(kalvo-sim PRIVATE kalvo_host_objects)
set_target_properties(kalvo-sim PROPERTIES ENABLE_EXPORTS ON)

# The module: its sources see the host through host/host_api.h, whose functions and
# classes they import from the host program, and draw with the real GDI. The
# entry routine is DllMain. Resources 1000 and 1001 are the description and the
# category that a launchpad lists for an add-on.
add_library(kalvo_module STATIC ${kalvo_module_sources})
target_include_directories(kalvo_module PUBLIC ${PROJECT_SOURCE_DIR})
add_library(KalvoMFD MODULE host/entry.cpp host/KalvoMFD.rc)
target_link_libraries(KalvoMFD PRIVATE kalvo_module kalvo-sim gdi32)
set_target_properties(KalvoMFD PROPERTIES PREFIX "")

# The add-on as a user installs it: unpacked into the simulator's folder. Packing
# takes what the build made and builds nothing itself.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
install(TARGETS KalvoMFD LIBRARY DESTINATION Modules/Plugin)
install(FILES docs/KalvoMFD.md DESTINATION Doc)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KalvoMFD)
set(CPACK_PACKAGE_FILE_NAME KalvoMFD-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests/windows)
endif()
