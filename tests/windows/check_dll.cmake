# Reads KalvoMFD.dll's import and export tables and fails on what the simulator
# could not load or would not find: a DLL other than the system's GDI and kernel,
# the simulator's executable and the C runtime the simulator itself uses (which
# also means no MinGW or libstdc++ runtime); an import from the executable that the
# simulator's SDK headers do not declare (InitLib and Date2Int excepted: the
# executable exports them undeclared); a missing entry point; and, where no C
# runtime start-up is linked, static constructors, which would never run. Given
# the export table of a released executable (EXPORTS, one declaration a line, as
# the 2016 release's), an import from the executable that it does not list: the
# simulator would refuse to load the DLL.
# cmake -DDLL=<KalvoMFD.dll> -DOBJDUMP=<llvm-objdump> -DUNDNAME=<llvm-undname> -DSDK=<sdk>/include
#       [-DBARE_RUNTIME=ON] [-DEXPORTS=<exports.txt>] -P check_dll.cmake
execute_process(COMMAND ${OBJDUMP} -p -h ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()
set(problems "")

# The import table: "DLL Name: X" and then its functions, one "hint name" a line.
string(REPLACE "\n" ";" lines "${dump}")
set(library "")
set(simulator_imports "")
set(allowed "^(gdi32|kernel32|orbiter|vcruntime140|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\\.(dll|exe)$")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    set(named "${CMAKE_MATCH_1}")
    string(TOLOWER "${named}" library)
    if(NOT library MATCHES "${allowed}")
      string(APPEND problems "imports from ${named}: only gdi32, kernel32, the simulator's Orbiter.exe and the C runtime (vcruntime140, ucrtbase, api-ms-win-crt-*) may be imported\n")
    endif()
  elseif(line MATCHES "^Export Table:")
    set(library "")
  elseif(library STREQUAL "orbiter.exe" AND line MATCHES "^ +[0-9]+ +(\\?[^ ]+)$")
    list(APPEND simulator_imports "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT simulator_imports)
  string(APPEND problems "imports nothing from Orbiter.exe\n")
endif()

# Each import from the executable, by the name its mangling gives, must be declared
# in the SDK's headers: a free function as OAPIFUNC, a member in an OAPIFUNC class.
file(GLOB headers ${SDK}/*.h)
set(sdk_text "")
foreach(header IN LISTS headers)
  file(READ ${header} text)
  string(APPEND sdk_text "${text}")
endforeach()
# The released table's declarations and the imports are compared with their spaces
# removed: the table writes "(int,int)const", llvm-undname "(int, int) const".
if(EXPORTS)
  if(NOT EXISTS ${EXPORTS})
    message(FATAL_ERROR "no export table of the simulator's executable at ${EXPORTS}")
  endif()
  file(READ ${EXPORTS} exported)
  string(REGEX REPLACE "[ \r]" "" exported "\n${exported}\n")
endif()
foreach(name IN LISTS simulator_imports)
  execute_process(COMMAND ${UNDNAME} "${name}" OUTPUT_VARIABLE demangled)
  if(NOT demangled MATCHES "\n([^\n]*[ :~]([A-Za-z_][A-Za-z0-9_]*)\\(([^\n]*))\n")
    string(APPEND problems "cannot read the import ${name}\n")
    continue()
  endif()
  set(declaration "${CMAKE_MATCH_1}")
  set(function "${CMAKE_MATCH_2}")
  if(EXPORTS)
    string(REPLACE " " "" packed "${declaration}")
    string(FIND "${exported}" "\n${packed}\n" line)
    if(line EQUAL -1)
      string(APPEND problems "imports ${declaration} (${name}), which ${EXPORTS} does not list\n")
    endif()
  endif()
  if(function MATCHES "^(InitLib|Date2Int)$")
    continue()
  endif()
  if(declaration MATCHES " ([A-Za-z_][A-Za-z0-9_]*)::~?${function}\\(")
    set(class "${CMAKE_MATCH_1}")
    if(NOT sdk_text MATCHES "class OAPIFUNC ${class}[ :\n{]" OR NOT sdk_text MATCHES "[ \t~*]${function} ?\\(")
      string(APPEND problems "imports ${declaration}, which the SDK headers do not declare\n")
    endif()
  elseif(NOT sdk_text MATCHES "OAPIFUNC [^\n;]*[ *]${function} ?\\(")
    string(APPEND problems "imports ${declaration}, which the SDK headers do not declare\n")
  endif()
endforeach()

# The entry points the simulator looks up, and the inspection functions the project's
# own hosts and tests look up.
foreach(export opcDLLInit opcDLLExit GetModuleVersion KalvoValueCell KalvoPageStatus KalvoPageSelection)
  if(NOT dump MATCHES "\n +[0-9]+ +0x[0-9a-f]+ +${export}\n")
    string(APPEND problems "does not export ${export}\n")
  endif()
endforeach()
if(NOT dump MATCHES " \\.rsrc ")
  string(APPEND problems "holds no resources (the launchpad's description and category)\n")
endif()
if(BARE_RUNTIME AND dump MATCHES " \\.CRT")
  string(APPEND problems "has static constructors (a .CRT section), which nothing runs without the C runtime's start-up\n")
endif()

if(problems)
  message(FATAL_ERROR "${DLL}:\n${problems}")
endif()
list(LENGTH simulator_imports count)
set(listed "")
if(EXPORTS)
  set(listed " and exported by ${EXPORTS}")
endif()
message(STATUS "${DLL}: imports from the system, the C runtime and ${count} functions of the simulator, all declared by its SDK${listed}")
