# Helpers that keep every subsystem's CMakeLists.txt a few lines long.
#
# tarnwick_subsystem(<name> [DEPS <core libs>...])
#   <name>_core: a static library of the folder's portable sources (*.cpp not ending in _win.cpp);
#   on Windows the folder's *_win.cpp files join the one glue library, tarnwick_glue, because the
#   window classes of the subsystems call each other and one archive resolves that in any order.
#   Files ending in _main_win.cpp are program entry points and stay out of both.

set(TARNWICK_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)

function(tarnwick_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:C,CXX>:${TARNWICK_WARNINGS}>)
endfunction()

if(WIN32)
  add_library(tarnwick_glue STATIC)
  tarnwick_warnings(tarnwick_glue)
  target_include_directories(tarnwick_glue PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tarnwick_glue PUBLIC
    comctl32 wsock32 shell32 advapi32 ole32 oleaut32 uuid comdlg32 version gdi32 user32 wininet shlwapi)
endif()

function(tarnwick_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(core_sources)
  set(glue_sources)
  foreach(source IN LISTS all_sources)
    if(source MATCHES "_main_win\\.cpp$")
      # a program's entry point: the folder's CMakeLists.txt builds the program from it
    elseif(source MATCHES "_win\\.cpp$")
      list(APPEND glue_sources ${source})
    else()
      list(APPEND core_sources ${source})
    endif()
  endforeach()
  if(core_sources)
    add_library(${name}_core STATIC ${core_sources})
  else()
    add_library(${name}_core INTERFACE)
  endif()
  if(core_sources)
    tarnwick_warnings(${name}_core)
    target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core PUBLIC ${ARG_DEPS})
  else()
    target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core INTERFACE ${ARG_DEPS})
  endif()
  if(WIN32 AND glue_sources)
    target_sources(tarnwick_glue PRIVATE ${glue_sources})
    target_link_libraries(tarnwick_glue PUBLIC ${name}_core)
  endif()
endfunction()

# The Windows linker options every Tarnwick program gets: static runtime, nothing but system DLLs.
function(tarnwick_windows_program target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()
