# The release flags of the Windows programs (the shipped 32-bit Tarnwick.exe and the 64-bit build the
# benchmarks run): small, stripped, and the same bytes from any checkout folder on any day.
#
# - Size: the program spends its time in Win32 calls and waits. -Os makes its hottest code, the
#   reply readers, about 1.7 times slower than -O3 (some 170 instead of 100 ns a details reply),
#   which even under a flood of 20,000 datagrams a second is well below 1% of one core, next to
#   the tens of per cent Wine's socket and message calls take (scripts/bench). Unused functions
#   and data are dropped section by section (that gains little: the static runtime is most of it).
# - Reproducible: no link time stamp in the PE header, no debug sections, and every path the
#   compiler might embed (__FILE__, debug info of the objects) is written relative to the checkout.
#   The resource compiler writes no time stamps of its own.
# - No link-time optimisation: the i686 MinGW-w64 GCC 12 of these machines stops with an internal
#   compiler error (binds_to_current_def_p) in its link-time pass on this code.
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
