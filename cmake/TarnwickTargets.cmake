# Helpers that keep every subsystem's CMakeLists.txt a few lines long.
#
set(TARNWICK_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)

function(tarnwick_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:C,CXX>:${TARNWICK_WARNINGS}>)
endfunction()

# The folders from the bottom up. A folder uses only folders before it in this list: its
# libraries link only theirs, and its sources include only their headers (plus resources/, the
# resource ids, which every folder that shows a dialog or a string needs, except the engine).
set(TARNWICK_LAYERS common settings controls engine highlight launch rcon dialogs shell)
set(TARNWICK_SYSTEM_LIBRARIES
    comctl32 wsock32 shell32 advapi32 ole32 oleaut32 uuid comdlg32 version gdi32 user32 wininet
    shlwapi)

# tarnwick_subsystem(<name> [USES <folders>...] [NO_RESOURCES])
#   <name>_core: a static library of the folder's portable sources (*.cpp not ending in _win.cpp);
#   <name>_glue (Windows only): the folder's *_win.cpp files. Both link the same libraries of the
#   folders named in USES, which must come before <name> in TARNWICK_LAYERS. A build step checks
#   every include of the folder against USES, so an include that reaches up fails the build.
#   Files ending in _main_win.cpp are program entry points and stay out of both.
function(tarnwick_subsystem name)
  cmake_parse_arguments(ARG "NO_RESOURCES" "" "USES" ${ARGN})
  list(FIND TARNWICK_LAYERS ${name} rank)
  if(rank EQUAL -1)
    message(FATAL_ERROR "${name} is not in TARNWICK_LAYERS")
  endif()
  set(core_deps)
  set(glue_deps)
  set(ranked)
  foreach(used IN LISTS ARG_USES)
    list(FIND TARNWICK_LAYERS ${used} used_rank)
    if(used_rank EQUAL -1 OR NOT used_rank LESS rank)
      message(FATAL_ERROR "${name} may use only folders below it, not ${used}")
    endif()
    list(APPEND ranked "${used_rank}:${used}")
  endforeach()
  # From the top down, so that the link line names the folders in the order of TARNWICK_LAYERS,
  # reversed: users before what they use.
  list(SORT ranked COMPARE NATURAL ORDER DESCENDING)
  foreach(entry IN LISTS ranked)
    string(REGEX REPLACE "^[0-9]+:" "" used "${entry}")
    list(APPEND core_deps ${used}_core)
    list(APPEND glue_deps ${used}_glue)
  endforeach()

  file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
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

  set(allowed ${name} ${ARG_USES})
  if(NOT ARG_NO_RESOURCES)
    list(APPEND allowed resources)
  endif()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}_includes.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFOLDER=${name}" "-DALLOWED=${allowed}"
            "-DFILES=${all_sources};${headers}" "-DSTAMP=${stamp}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${all_sources} ${headers} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking that ${name}/ includes only the folders below it"
    VERBATIM)
  add_custom_target(${name}_includes DEPENDS ${stamp})

  if(core_sources)
    add_library(${name}_core STATIC ${core_sources})
    tarnwick_warnings(${name}_core)
    target_include_directories(${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core PUBLIC ${core_deps})
  else()
    add_library(${name}_core INTERFACE)
    target_include_directories(${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_core INTERFACE ${core_deps})
  endif()
  add_dependencies(${name}_core ${name}_includes)

  if(WIN32)
    if(glue_sources)
      add_library(${name}_glue STATIC ${glue_sources})
      tarnwick_warnings(${name}_glue)
      target_link_libraries(${name}_glue PUBLIC ${glue_deps} ${name}_core ${core_deps}
                                                ${TARNWICK_SYSTEM_LIBRARIES})
    else()
      add_library(${name}_glue INTERFACE)
      target_link_libraries(${name}_glue INTERFACE ${glue_deps} ${name}_core ${core_deps})
    endif()
    add_dependencies(${name}_glue ${name}_includes)
  endif()
endfunction()

# The Windows linker options every Tarnwick program gets: static runtime, nothing but system DLLs.
function(tarnwick_windows_program target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()
