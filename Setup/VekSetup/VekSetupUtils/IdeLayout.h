#pragma once
// An IDE's derived registry key suffixes and product directory names per layout target.

#include "VekSetupUtils/Ide.h"
#include "VekSetupUtils/RunOptions.h"

#include <array>
#include <string>

namespace veksetup {

enum class LayoutTarget { Win32, Win64, OSX32, IOSSimulator, IOSDevice, IOSDevice64, Android };
inline constexpr std::size_t kLayoutTargetCount = 7;

// Keys are suffixes of the IDE's RegKey; directories are relative to ProductDir. An empty text means
// the target has no such key or directory.
struct TargetLayout {
    std::string LibraryKey;
    std::string CppPathsKey;
    std::string LibDir;
    std::string BinDir;
    std::string IncludeDir;
};

struct IdeLayout {
    std::string KnownPackagesKey;
    std::string DirSuffix;
    std::string NetLibraryKey;
    std::string SourceDir;
    std::array<TargetLayout, kLayoutTargetCount> Targets;

    const TargetLayout& operator[](LayoutTarget target) const {
        return Targets[static_cast<std::size_t>(target)];
    }
};

// Derives the layout of one IDE; reads the registry for the Appmethod test.
IdeLayout BuildIdeLayout(const TIDE& ide, const RunOptions& options);
// The same, with the Appmethod test's answer given.
IdeLayout DeriveIdeLayout(const TIDE& ide, const RunOptions& options, bool appmethodIde);

} // namespace veksetup
