// The entry point every fuzz target defines: libFuzzer calls it in the fuzz build, and
// replay_main.cpp calls it with the corpus in the ordinary build.
#pragma once
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
