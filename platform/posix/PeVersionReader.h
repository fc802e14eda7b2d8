#pragma once
// Our own reader of the version resource of a PE file (32- and 64-bit images): the RT_VERSION
// resource with id 1 in the resource section, its VS_VERSIONINFO block and the fixed record
// VS_FIXEDFILEINFO in it. Every offset is checked against the bytes at hand, so any input, however
// malformed, gives a version or nothing.

#include "platform/VersionInfo.h"

#include <cstdint>
#include <optional>
#include <span>

namespace platform::posix {

// The product version of the image's fixed version record; nullopt when the bytes are not a PE file,
// have no version resource, or the record is cut short or lacks its signature 0xFEEF04BD. Of several
// languages of the resource, the neutral one is taken, else US English, else English, else the
// first, as Wine chooses.
std::optional<ProductVersion> ReadPeProductVersion(std::span<const std::uint8_t> image);

} // namespace platform::posix
