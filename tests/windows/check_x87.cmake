# Disassembles KalvoMFD.dll's code and fails on any instruction that computes or
# compares on the x87 unit, naming each one with the function it is in (from the
# link map). The module's arithmetic is IEEE double, as on the 64-bit and Linux
# builds; the x87 unit keeps intermediates in 80-bit registers, so a square that
# overflows a double stays finite there and a guard can decide otherwise.
#
# Forbidden: every x87 instruction whose result depends on arithmetic done at the
# register's width (the four operations and their integer-operand and reversed
# forms, the roots, remainders, rounding, scaling, transcendentals and the
# exponent split), and every comparison and classification: compared in a
# register, an unrounded intermediate can pass a test that the double would fail.
# Allowed: what the 32-bit calling convention needs to return a double in ST(0)
# and what changes no value: loads and stores (fld, fst, fstp; a double or float
# widens exactly, and a store rounds once, as IEEE conversion does), integer loads
# and stores (fild, fist, fistp, fisttp: one correctly rounded conversion), the
# constants 0 and 1 (fldz, fld1), register exchanges and conditional moves (fxch,
# fcmov*: they copy bits), and the control word (fnstcw, fldcw).
# LLVM spells the popping unordered compare "fucompi" where Intel writes "fucomip".
# cmake -DDLL=<KalvoMFD.dll> -DMAP=<KalvoMFD.map> -DOBJDUMP=<llvm-objdump> -DUNDNAME=<llvm-undname>
#       -P check_x87.cmake
cmake_minimum_required(VERSION 3.25)
set(x87_computing
  fadd faddp fiadd fsub fsubp fsubr fsubrp fisub fisubr
  fmul fmulp fimul fdiv fdivp fdivr fdivrp fidiv fidivr
  fsqrt fprem fprem1 fchs fabs frndint fscale fxtract
  fsin fcos fsincos fptan fpatan f2xm1 fyl2x fyl2xp1
  fcom fcomp fcompp fcomi fcomip fcompi fucom fucomp fucompp fucomi fucomip fucompi
  ficom ficomp ftst fxam)

execute_process(COMMAND ${OBJDUMP} -d -M intel --no-show-raw-insn ${DLL} OUTPUT_VARIABLE code RESULT_VARIABLE failed)
if(failed OR NOT code MATCHES "\n[0-9a-f]+: *\t")
  message(FATAL_ERROR "${OBJDUMP} cannot disassemble ${DLL}")
endif()
if(NOT EXISTS ${MAP})
  message(FATAL_ERROR "no link map ${MAP} to name the DLL's functions")
endif()

# Each instruction line reads "ADDRESS:  \tMNEMONIC\tOPERANDS".
list(JOIN x87_computing "|" alternatives)
string(REGEX MATCHALL "[0-9a-f]+: *\t(${alternatives})[\t\n]" found "${code}")

# The functions of the code section: "SECTION:OFFSET  NAME  ADDRESS [f]  OBJECT" lines of
# the map's public and static symbols, in the section whose class is CODE.
file(READ ${MAP} map)
if(NOT map MATCHES "\n ([0-9a-f]+):[0-9a-f]+ [0-9a-f]+H \\.text +CODE")
  message(FATAL_ERROR "${MAP} has no code section")
endif()
string(REGEX MATCHALL "\n ${CMAKE_MATCH_1}:[0-9a-f]+ +[^ \n]+ +[0-9a-f]+" symbols "${map}")

# Symbols and the instructions found, keyed by their address written out in 16 hex
# digits, so that a sort puts each instruction after the function it is in.
set(events "")
foreach(symbol IN LISTS symbols)
  string(REGEX MATCH "([^ ]+) +([0-9a-f]+)$" row "${symbol}")
  list(APPEND events "${CMAKE_MATCH_2} function ${CMAKE_MATCH_1}")
endforeach()
foreach(instruction IN LISTS found)
  string(REGEX MATCH "([0-9a-f]+): *\t([a-z0-9]+)" row "${instruction}")
  string(LENGTH "${CMAKE_MATCH_1}" digits)
  math(EXPR padding "16 - ${digits}")
  string(REPEAT 0 ${padding} zeros)
  list(APPEND events "${zeros}${CMAKE_MATCH_1} instruction ${CMAKE_MATCH_2}")
endforeach()
list(SORT events)

set(problems "")
set(offenders "")
set(enclosing "(before any function)")
foreach(event IN LISTS events)
  string(REGEX MATCH "^0*([0-9a-f]+) ([a-z]+) (.+)$" row "${event}")
  if(CMAKE_MATCH_2 STREQUAL "function")
    set(enclosing "${CMAKE_MATCH_3}")
  else()
    string(APPEND problems "  ${CMAKE_MATCH_1} ${CMAKE_MATCH_3} in ${enclosing}\n")
    list(APPEND offenders "${enclosing}")
  endif()
endforeach()

# The functions by their C++ names: llvm-undname answers each name with a block of
# the name and, when it can read it, its C++ form.
if(offenders)
  list(REMOVE_DUPLICATES offenders)
  execute_process(COMMAND ${UNDNAME} ${offenders} OUTPUT_VARIABLE demangled ERROR_QUIET)
  string(REPLACE "\n\n" ";" blocks "${demangled}")
  foreach(block IN LISTS blocks)
    if(block MATCHES "^([^\n]+)\n([^\n]+)$")
      string(REPLACE " in ${CMAKE_MATCH_1}\n" " in ${CMAKE_MATCH_2}\n" problems "${problems}")
    endif()
  endforeach()
endif()

list(LENGTH found count)
if(count)
  message(FATAL_ERROR "${DLL} computes or compares on the x87 unit (${count} instructions), not in IEEE double:\n${problems}")
endif()
list(LENGTH symbols functions)
message(STATUS "${DLL}: no x87 arithmetic or comparison in ${functions} functions")
