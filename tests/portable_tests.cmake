# The unit tests that need neither the Linux stand-in GDI, Cairo nor dlopen: built
# into kalvo_tests on Linux and cross-built and run under Wine on Windows.
set(kalvo_portable_test_sources
  catalogue/catalogue_test.cpp
  catalogue/solver_mfd_test.cpp
  solvers/basic_test.cpp
  solvers/orbit_test.cpp
  solvers/orbit_time_test.cpp
  solvers/lookup_test.cpp
  solvers/escape_test.cpp
  solvers/fuel_test.cpp
  solvers/inclination_test.cpp
  solvers/manoeuvre_test.cpp
  solvers/launch_test.cpp
  solvers/rendezvous_test.cpp
  solvers/glide_test.cpp
  solvers/consistency_test.cpp
  support/allocation_counter.cpp
  ui/status_messages_test.cpp
  ui/value_format_test.cpp
  sim/host_test.cpp
  sim/queries_test.cpp
  sim/kepler_test.cpp
  sim/world_test.cpp
  sim/scenario_test.cpp
  sim/script_test.cpp
  sim/page_geometry_test.cpp
  readings/readings_test.cpp
  readings/scenario_readings_test.cpp)
list(TRANSFORM kalvo_portable_test_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
