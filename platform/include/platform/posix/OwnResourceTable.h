#pragma once
// The program's own resources in the native build. The build compiles each resource file of the .rc
// into a source that defines one static OwnResourceRegistration, so the resources are in the table
// before main runs; LoadOwnRcData (Resources.h) reads them from it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace platform::posix {

class OwnResourceRegistration {
  public:
    // Enters the RCDATA resource id with the given bytes, which must live as long as the program.
    // A second registration of the same id replaces the first.
    OwnResourceRegistration(int id, const unsigned char* bytes, std::size_t size);
};

// The bytes of the RCDATA resource id; nullopt when the program has none.
std::optional<std::string_view> FindOwnResource(int id);

} // namespace platform::posix
