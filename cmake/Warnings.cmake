# One INTERFACE target carries the project's warning flags; every target links it.
add_library(tolvi_warnings INTERFACE)
target_compile_options(tolvi_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                       -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wnull-dereference
                       -Wimplicit-fallthrough -Wmissing-declarations)
# CI builds turn every warning into an error.
option(TOLVI_WERROR "Treat warnings as errors" OFF)
if(TOLVI_WERROR)
  target_compile_options(tolvi_warnings INTERFACE -Werror)
endif()
# GCC 12 warns, at -O2, that "text" + std::string&& may overlap inside libstdc++'s own
# memcpy: a known false positive of that release, not a fault of ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(tolvi_warnings INTERFACE -Wno-restrict)
endif()
