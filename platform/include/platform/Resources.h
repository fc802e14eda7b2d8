#pragma once
// The program's own resources (FindResourceA, LoadResource, LockResource, SizeofResource).

#include <optional>
#include <string>

namespace platform {

// The bytes of the program's own RCDATA resource with the given integer id; nullopt when missing.
// posix: the resources are compiled into the program from the same source files the .rc embeds.
std::optional<std::string> LoadOwnRcData(int id);

} // namespace platform
