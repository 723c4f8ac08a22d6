# Delay-loaded system libraries. GDI+, OLE and the common dialogs are needed only to save a
# file, the common controls only once the toolbar or a text box shows; loading them when the
# program starts costs tens of milliseconds under Wine before the frozen screen can show. With
# mingw-w64 each gets a delay-import library made by dlltool from the .def file in cmake/delay/
# (which lists the functions the program calls); the library then loads on the first call.
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
