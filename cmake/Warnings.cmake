# One INTERFACE target carries the project's warning flags; every target links it.
add_library(tolvi_warnings INTERFACE)
target_compile_options(tolvi_warnings INTERFACE -Wall -Wextra -Wpedantic)
