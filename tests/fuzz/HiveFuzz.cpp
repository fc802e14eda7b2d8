// Fuzz target for the hive reader: any text is read without a crash, and once a hive has been
// written by us, reading and writing it again is stable (what we write, we read back as written).

#include "platform/Exceptions.h"
#include "registry/HiveReader.h"
#include "registry/HiveWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string RoundTrip(const std::string& text) {
    std::ostringstream diagnostics;
    return platform::posix::WriteHive(platform::posix::ReadHive(text, "fuzz.reg", diagnostics));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string written;
    try {
        written = RoundTrip(text);
    } catch (const platform::MachineError&) {
        return 0; // not a hive: refused, as it should be
    }
    // The first writing settles what Wine itself would settle (a zero time, a name's final NUL);
    // from then on the text must not move.
    const std::string again = RoundTrip(RoundTrip(written));
    if (again != RoundTrip(again))
        std::abort();
    return 0;
}
