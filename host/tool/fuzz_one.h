// The fuzz harness's core: one input drives the loaded plug-in through the reference
// host. It builds with any compiler; fuzz/fuzz_main.cpp adds the libFuzzer entry (clang).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Decodes the input into a series of host operations (store values of any kind or
// none, attribute requests for any number in an object of any class, validity
// requests, method runs with scripted selections, dialogue answers, edits and device
// replies, abort points, throws of an integer, a standard exception or another type,
// host services that answer null, a restart of the calculator) and checks after each
// what every host relies on, also that filled objects name only defined objects. The plug-in is
// loaded once, from beside the running program (or $DTM_PLUGIN); every input starts
// from the defaults. Answers the first property that did not hold.
std::optional<std::string> FuzzOne(const std::uint8_t* data, std::size_t size);
