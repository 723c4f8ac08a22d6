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

# Fails the configuration when a target of ours, in `directory` or below, was not given the
# warnings above: a new program or library cannot leave the conversions unchecked.
function(capture_require_warnings directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY)$")
      get_target_property(options ${target} COMPILE_OPTIONS)
      if(NOT options MATCHES "-Wsign-conversion|/W4")
        message(FATAL_ERROR "${target} is built without capture_warnings(${target})")
      endif()
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} ours)
    if(ours)
      capture_require_warnings(${subdirectory})
    endif()
  endforeach()
endfunction()
