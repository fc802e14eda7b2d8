// Fuzz target: the posix backend's reader of PE version resources, over any bytes as a file.

#include "PeVersionReader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto version = platform::posix::ReadPeProductVersion(std::span<const std::uint8_t>(data, size));
    // A version read must come from the bytes: its fields are plain numbers, nothing to check beyond
    // the reader staying inside the input, which the sanitizers watch.
    (void)version;
    return 0;
}
