# Plays the same scripts on kalvo-sim.exe under Wine (the real GDI) and on the Linux
# kalvo-sim (the stand-in GDI painted by Cairo), and compares where each drawing put
# its separators, band, highlighted cells and arrows, measured from the pixels.
# Fonts differ between the two; positions must not.
# cmake -DWINE=<wine-run.sh> -DWINDOWS_SIM=<kalvo-sim.exe> -DLINUX_SIM=<kalvo-sim> -P agreement.cmake
# Each script: the display's size, then its steps, separated by commas.
set(scripts
  "400x400,draw"
  "400x400,Dr>,Eq>,Vr>,Vr>,draw"
  "400x400,Dr>,Dr>,Dr>,Dr>,Dr>,Dr>,Dr>,Dr>,Hlp,draw"
  "300x240,Dr>,Dr>,Dr>,Dr>,Dr>,Dr>,Eq>,Eq>,VSt,draw"
  "512x384,Dr>,Eq>,Get,Vr>,Dr>,Dr<,Eq>,Vr>,Vr>,All,draw")
set(failures "")
foreach(script IN LISTS scripts)
  string(REPLACE "," ";" parts "${script}")
  list(GET parts 0 size)
  list(SUBLIST parts 1 -1 steps)
  set(outputs "")
  foreach(side WINDOWS LINUX)
    if(side STREQUAL WINDOWS)
      set(command ${WINE} ${WINDOWS_SIM})
    else()
      set(command ${LINUX_SIM})
    endif()
    execute_process(COMMAND ${command} --geometry --size ${size} ${steps}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${side} kalvo-sim failed on ${size} ${steps}: ${errors}")
    endif()
    if(NOT output MATCHES "separators: [0-9]+ [0-9]+\n")
      message(FATAL_ERROR "${side} kalvo-sim drew no separators on ${size} ${steps}:\n${output}")
    endif()
    set(${side}_output "${output}")
  endforeach()
  if(WINDOWS_output STREQUAL LINUX_output)
    message(STATUS "${size} ${steps}: agree\n${WINDOWS_output}")
  else()
    string(APPEND failures "${size} ${steps}:\n-- Windows (real GDI) --\n${WINDOWS_output}-- Linux (stand-in GDI) --\n${LINUX_output}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "the drawings disagree:\n${failures}")
endif()
