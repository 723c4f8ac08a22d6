# Delay-loaded system libraries. A library loaded with the program is searched for beside it
# first, before wWinMain can limit the search to System32; one loaded on its first call is looked
# for in System32 only. GDI+, OLE and the common dialogs are also needed only to save a file, and
# loading them when the program starts costs tens of milliseconds under Wine. With mingw-w64 each
# gets a delay-import library made by dlltool from the .def file in cmake/delay/ (which lists the
# functions the program calls); the library then loads on the first call. A function missing from
# its .def is linked from the ordinary import library, which makes the library load with the
# program again: tests/win32/imports.cmake fails then.
function(capture_delay_import target)
  foreach(dll ${ARGN})
    if(MINGW)
      set(def ${PROJECT_SOURCE_DIR}/cmake/delay/${dll}.def)
      set(lib ${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a)
      add_custom_command(OUTPUT ${lib}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
        COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
        DEPENDS ${def} VERBATIM)
      add_custom_target(${dll}_delay DEPENDS ${lib})
      add_dependencies(${target} ${dll}_delay)
      target_link_libraries(${target} PUBLIC ${lib})
    elseif(MSVC)
      target_link_libraries(${target} PUBLIC ${dll} delayimp)
      target_link_options(${target} PUBLIC /DELAYLOAD:${dll}.dll)
    else()
      target_link_libraries(${target} PUBLIC ${dll})
    endif()
  endforeach()
endfunction()
