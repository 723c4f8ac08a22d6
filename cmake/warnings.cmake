# Warnings are errors everywhere.
function(capture_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wfloat-conversion
                                             -Werror)
  endif()
endfunction()
