#pragma once
// Running a unix program (wine, wineserver) to its end, its standard streams on /dev/null.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

// The executable file named in the folders of $PATH; nullopt when there is none.
std::optional<std::filesystem::path> FindOnPath(const std::string& name);

// Starts program with the arguments (argv[0] first) and the process's environment plus the given
// NAME=value settings, waits for it and returns its exit status (128 + the signal for a program
// that a signal ended); nullopt when it cannot be started.
std::optional<int> RunUnixProgram(const std::filesystem::path& program,
                                  const std::vector<std::string>& arguments,
                                  const std::vector<std::string>& environmentSettings);

} // namespace platform::posix
