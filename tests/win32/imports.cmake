# Fails when capture.exe imports, in its import table, a library other than kernel32, user32,
# gdi32 and the C runtime. The loader finds those before the program's first line runs, searching
# the program's own folder first for any of them that Windows does not protect: every other one
# must be delay-loaded (cmake/delay_import.cmake), once wWinMain has limited the search to System32.
# This also keeps out runtime DLLs (libstdc++, libgcc, libwinpthread, ...): the program is one file.
#   cmake -DOBJDUMP=... -DPROGRAM=capture.exe -P imports.cmake
cmake_minimum_required(VERSION 3.25)
set(LOADED_WITH_THE_PROGRAM kernel32 user32 gdi32 msvcrt ucrtbase)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed (${status})")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(refused "")
foreach(line ${lines})
  string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL].*" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  message(STATUS "imports ${dll}.dll")
  if(NOT dll IN_LIST LOADED_WITH_THE_PROGRAM AND NOT dll MATCHES "^api-ms-win-")
    list(APPEND refused ${dll})
  endif()
endforeach()
if(NOT lines)
  message(FATAL_ERROR "no import found in ${PROGRAM}: the objdump output was not understood")
endif()
if(refused)
  message(FATAL_ERROR "capture.exe loads these with itself, before it limits the search for "
                      "libraries to System32; delay-load them: ${refused}")
endif()
