#pragma once
// The fixed version record of a file's Windows version resource (GetFileVersionInfoSizeA,
// GetFileVersionInfoA, VerQueryValueA on "\").

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct ProductVersion {
    std::uint32_t ms = 0; // dwProductVersionMS
    std::uint32_t ls = 0; // dwProductVersionLS
};

// The product version of the file's VS_FIXEDFILEINFO; nullopt when the file is missing, has no
// version resource, or the resource cannot be read.
// posix: our own reader of the PE file's resource section.
std::optional<ProductVersion> ReadProductVersion(const std::string& path);

} // namespace platform
