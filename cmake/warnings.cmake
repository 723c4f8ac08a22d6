# Warnings are errors everywhere. Every target of ours computes with pixels, points and sizes of
# several types: every narrowing or sign change is written out (-Wconversion -Wsign-conversion).
function(capture_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wfloat-conversion
                                             -Wconversion -Wsign-conversion -Werror)
  endif()
endfunction()
