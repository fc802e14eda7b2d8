#include "VekSetupUtils/SearchPaths.h"

#include "KOSetupUtils/EnvOptions.h"
#include "KOSetupUtils/ListValue.h"
#include "KOSetupUtils/RegValueUtils.h"
#include "KOSetupUtils/TextCase.h"
#include "platform/Registry.h"

#include <cstdint>
#include <span>
#include <string>

namespace veksetup {

namespace {

// One layout target of one IDE: its keys under HKEY_CURRENT_USER and the product's directories.
struct TargetPaths {
    std::string LibraryKey;
    std::string CppPathsKey;
    std::string Lib;
    std::string Bin;
    std::string Include;
};

TargetPaths PathsOf(const TIDE& ide, const IdeLayout& layout, const RunOptions& options,
                    LayoutTarget target) {
    const TargetLayout& t = layout[target];
    return {ide.RegKey + t.LibraryKey, ide.RegKey + t.CppPathsKey, options.ProductDir + t.LibDir,
            options.ProductDir + t.BinDir, options.ProductDir + t.IncludeDir};
}

// Appends the entry to a ";"-separated list value unless it is there, or removes it on uninstall.
void AddToList(const std::string& key, const char* valueName, const std::string& entry,
               const RunOptions& options) {
    kosetup::EditListValue(key, valueName, entry, options.Uninstall);
}

void AddToSearchPath(const std::string& libraryKey, const std::string& entry, const RunOptions& options) {
    AddToList(libraryKey, "Search Path", entry, options);
}

// The C++ library and include paths of the versions from 11 on.
void AddToCppPaths(const TargetPaths& paths, const RunOptions& options) {
    AddToList(paths.CppPathsKey, "LibraryPath", paths.Lib, options);
    AddToList(paths.CppPathsKey, "IncludePath", paths.Include, options);
}

using DesktopEnvOptionsUpdate = void (*)(std::int32_t, const std::string&, const std::string&,
                                         const std::string&, bool);

// Win64 and OSX32: the library key, EnvOptions.proj and the C++ paths alike.
void RegisterDesktopPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options,
                          LayoutTarget target, DesktopEnvOptionsUpdate updateEnvOptions) {
    const TargetPaths paths = PathsOf(ide, layout, options, target);
    AddToSearchPath(paths.LibraryKey, paths.Lib, options);
    AddToSearchPath(paths.LibraryKey, paths.Bin, options);
    updateEnvOptions(ide.Version, paths.Bin, paths.Lib, paths.Include, options.Uninstall);
    AddToCppPaths(paths, options);
}

// The targets whose library keys receive the iOS Lib directory, in order.
std::span<const LayoutTarget> IOSLibraryTargets(std::int32_t version) {
    static constexpr LayoutTarget kTargets[] = {LayoutTarget::IOSSimulator, LayoutTarget::IOSDevice,
                                                LayoutTarget::IOSDevice64};
    return std::span<const LayoutTarget>(kTargets).first(version >= 22 ? 3 : 2);
}

} // namespace

void RegisterWin32Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    const TargetPaths paths = PathsOf(ide, layout, options, LayoutTarget::Win32);
    AddToSearchPath(paths.LibraryKey, paths.Lib, options);
    AddToSearchPath(paths.LibraryKey, paths.Bin, options);
    // Tells the IDE to read EnvOptions.proj again; the switch stays on after an uninstall too, so
    // that the IDE also notices the removal.
    if (ide.Version >= 11)
        kosetup::SetRegValue(ide.RegKey + "\\Globals", "ForceEnvOptionsUpdate", "1", false, true,
                             platform::kHkeyCurrentUser);
    if (IsCBuilder(ide)) {
        AddToSearchPath(paths.LibraryKey, paths.Include, options);
    } else if (ide.Version == 10) {
        AddToList(paths.CppPathsKey, "SearchPath", paths.Include, options);
        AddToList(paths.CppPathsKey, "SearchPath", paths.Lib, options);
    } else if (ide.Version >= 11) {
        kosetup::UpdateEnvOptionsWin32(ide.Version, paths.Bin, paths.Lib, paths.Include, options.Uninstall);
        AddToCppPaths(paths, options);
    }
}

void RegisterWin64Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    RegisterDesktopPaths(ide, layout, options, LayoutTarget::Win64, kosetup::UpdateEnvOptionsWin64);
}

void RegisterOSX32Paths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    RegisterDesktopPaths(ide, layout, options, LayoutTarget::OSX32, kosetup::UpdateEnvOptionsOSX32);
}

void RegisterIOSPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    for (LayoutTarget target : IOSLibraryTargets(ide.Version)) {
        const TargetPaths paths = PathsOf(ide, layout, options, target);
        AddToSearchPath(paths.LibraryKey, paths.Lib, options);
    }
    if (ide.Version >= 19) {
        const TargetPaths device = PathsOf(ide, layout, options, LayoutTarget::IOSDevice);
        kosetup::UpdateEnvOptionsIOSDevice(ide.Version, device.Lib, device.Include, options.Uninstall);
        AddToCppPaths(device, options);
    }
    if (ide.Version >= 22) {
        const TargetPaths device64 = PathsOf(ide, layout, options, LayoutTarget::IOSDevice64);
        kosetup::UpdateEnvOptionsIOSDevice64(ide.Version, device64.Lib, device64.Include, options.Uninstall);
        AddToCppPaths(device64, options);
    }
}

void RegisterAndroidPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    const TargetPaths paths = PathsOf(ide, layout, options, LayoutTarget::Android);
    AddToSearchPath(paths.LibraryKey, paths.Lib, options);
    if (ide.Version >= 20) {
        kosetup::UpdateEnvOptionsAndroid(ide.Version, paths.Lib, paths.Include, options.Uninstall);
        AddToCppPaths(paths, options);
    }
}

void RegisterPerIdeExtraPaths(const TIDE& ide, const IdeLayout& layout, const RunOptions& options) {
    const std::string lib = options.ProductDir + "Lib";
    const std::string source = options.ProductDir + layout.SourceDir;
    const bool express = kosetup::EqualAsciiIgnoreCase(options.Edition, "express");
    // A platform's library keys all get the plain Lib directory first, then (express edition) Source.
    const auto registerPlatform = [&](bool capable, TargetPlatform platform,
                                      std::span<const LayoutTarget> targets) {
        if (!capable || !options.HasPlatform(platform))
            return;
        for (LayoutTarget target : targets)
            AddToSearchPath(ide.RegKey + layout[target].LibraryKey, lib, options);
        if (!express)
            return;
        for (LayoutTarget target : targets)
            AddToSearchPath(ide.RegKey + layout[target].LibraryKey, source, options);
    };
    static constexpr LayoutTarget kWin32[] = {LayoutTarget::Win32};
    static constexpr LayoutTarget kWin64[] = {LayoutTarget::Win64};
    static constexpr LayoutTarget kOSX32[] = {LayoutTarget::OSX32};
    static constexpr LayoutTarget kAndroid[] = {LayoutTarget::Android};
    registerPlatform(ide.HasWin32, TargetPlatform::Win32, kWin32);
    registerPlatform(ide.HasWin64, TargetPlatform::Win64, kWin64);
    registerPlatform(ide.HasOSX32, TargetPlatform::OSX32, kOSX32);
    registerPlatform(ide.HasIOS, TargetPlatform::IOS, IOSLibraryTargets(ide.Version));
    registerPlatform(ide.HasAndroid, TargetPlatform::Android, kAndroid);
}

} // namespace veksetup
