# The release flags of the Windows programs (the shipped 32-bit Tarnwick.exe and the 64-bit build the
# benchmarks run): small, stripped, and the same bytes from any checkout folder on any day.
#
# - Size: the program spends its time in Win32 calls and waits, so -Os costs no measurable speed
#   (scripts/bench shows the figures); unused functions and data are dropped section by section.
# - Reproducible: no link time stamp in the PE header, no debug sections, and every path the
#   compiler might embed (__FILE__, debug info of the objects) is written relative to the checkout.
#   The resource compiler writes no time stamps of its own.
if(NOT WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()

set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")

# GCC checks the last prefix map first, so the build folder (inside the checkout) comes second.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections;-fdata-sections>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options(-s -Wl,--gc-sections -Wl,--no-insert-timestamp)

option(TARNWICK_LTO "Link-time optimisation of the release build" OFF)
if(TARNWICK_LTO)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
endif()
