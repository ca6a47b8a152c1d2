# `kalvo play --png` writes the final page as a PNG image of the display's size and
# nothing to standard output; with --text as well, the page goes to both.
#   -DKALVO=<path of kalvo> -DWORK=<scratch directory>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# The PNG signature, then the IHDR chunk: its length (13) and type, and the width
# and height as 32-bit big-endian numbers.
function(expect_png file width height)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "no image written to ${file}")
  endif()
  file(READ "${file}" header LIMIT 24 HEX)
  set(expected "89504e470d0a1a0a0000000d49484452")
  foreach(side ${width} ${height})
    math(EXPR side_hex "${side}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${side_hex}" 2 -1 digits)
    string(LENGTH "${digits}" length)
    math(EXPR padding "8 - ${length}")
    string(REPEAT "0" ${padding} zeros)
    string(APPEND expected "${zeros}${digits}")
  endforeach()
  if(NOT header STREQUAL expected)
    message(FATAL_ERROR "${file}: header ${header}, expected ${expected} (a ${width}x${height} PNG)")
  endif()
endfunction()

execute_process(COMMAND "${KALVO}" play "Dr>" --png "${WORK}/orb.png"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "--png alone: status ${status}\n${out}${err}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "expected success with nothing on standard output or error")
endif()
expect_png("${WORK}/orb.png" 400 400)

execute_process(COMMAND "${KALVO}" play "Dr>" --png "${WORK}/wide.png" --text --size 640x480
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "--png with --text: status ${status}\n${out}${err}")
string(FIND "${out}" "DR: BOP ORB ESC" at)
if(NOT status EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "expected the page as text as well")
endif()
expect_png("${WORK}/wide.png" 640 480)
file(REMOVE_RECURSE "${WORK}")
