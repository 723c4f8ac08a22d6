# Warnings are errors everywhere.
function(capture_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wfloat-conversion
 -Werror)
endfunction()
