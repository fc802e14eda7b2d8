#pragma once
// The hive files of a prefix on disk: read once per run, replaced atomically when they changed.

#include "registry/Hive.h"

#include <filesystem>
#include <optional>
#include <string>

namespace platform::posix {

// The hive in the file; nothing when the file does not exist. Throws MachineError when the file
// cannot be read or is not a Wine hive. Lines Wine would skip are reported on stderr.
std::optional<Hive> LoadHiveFile(const std::filesystem::path& file);

// Replaces the file with the text through a temporary file in the same folder and a rename, so that
// a reader sees the old or the new hive and never a part; the file keeps its permissions. Throws
// MachineError and leaves the file as it was when the text cannot be written.
void ReplaceHiveFile(const std::filesystem::path& file, const std::string& text);

} // namespace platform::posix
