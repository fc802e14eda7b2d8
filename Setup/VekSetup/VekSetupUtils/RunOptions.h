#pragma once
// The run's options, read once from the command line and only read afterwards.

#include <set>
#include <string>

namespace veksetup {

enum class TargetPlatform { Win32, Win64, OSX32, IOS, Android, DotNet };

using PlatformSet = std::set<TargetPlatform>;

struct RunOptions {
    std::string ProductName;
    std::string ProductTitle;
    std::string PackagePrefix;
    std::string ExpertName;
    std::string IndyPackage;
    std::string ProductDir; // ends in "\" once set
    std::string Edition;

    bool Uninstall = false;
    bool PerIdeDirs = false;
    bool VekBase = false;
    bool FireMonkey = false;
    bool Help = false;
    bool MainExpert = false;
    bool RecordDeskTool = false;
    bool OraProvider = false;
    bool OraWizard = false;
    bool UdtProxy = false;
    bool IndyWrapper = false;

    PlatformSet Platforms;
    PlatformSet ControlsPlatforms;

    bool HasPlatform(TargetPlatform platform) const { return Platforms.count(platform) != 0; }
    bool HasControlsPlatform(TargetPlatform platform) const { return ControlsPlatforms.count(platform) != 0; }
};

} // namespace veksetup
