#include "VekSetupUtils/IdeLayout.h"

#include "KOSetupUtils/RegValueUtils.h"

namespace veksetup {

namespace {

// One target's keys and directories from its key names and directory tail. S is the IDE's
// DirSuffix; the directories are "Lib" S tail, "Bin" S tail and "Include" S tail, each only where
// the target has it.
struct TargetNames {
    const char* libraryKey;
    const char* cppPathsKey; // empty: none
    const char* tail;
    bool hasBin;
    bool hasInclude;
};

TargetLayout MakeTarget(const TargetNames& names, const std::string& dirSuffix) {
    const std::string tail = dirSuffix + names.tail;
    TargetLayout target;
    target.LibraryKey = names.libraryKey;
    target.CppPathsKey = names.cppPathsKey;
    target.LibDir = "Lib" + tail;
    if (names.hasBin)
        target.BinDir = "Bin" + tail;
    if (names.hasInclude)
        target.IncludeDir = "Include" + tail;
    return target;
}

TargetNames Win32Names(std::int32_t version) {
    if (version >= 16)
        return {"\\Library\\Win32", "\\C++\\Paths\\Win32", "\\Win32", true, true};
    return {"\\Library", version == 10 ? "\\CppPaths" : "\\C++\\Paths", "", true, true};
}

TargetNames IOSDeviceNames(std::int32_t version) {
    if (version >= 22)
        return {"\\Library\\iOSDevice32", "\\C++\\Paths\\iOSDevice32", "\\iOSDevice32", false, true};
    return {"\\Library\\iOSDevice", "\\C++\\Paths\\iOSDevice", "\\iOSDevice", false, true};
}

} // namespace

IdeLayout DeriveIdeLayout(const TIDE& ide, const RunOptions& options, bool appmethodIde) {
    IdeLayout layout;
    layout.KnownPackagesKey = appmethodIde ? "\\Known Appmethod Packages" : "\\Known Packages";
    layout.DirSuffix = options.PerIdeDirs ? "\\Delphi" + std::to_string(ide.Version) : "";
    layout.NetLibraryKey = ide.Version <= 8 ? "\\Library" : "\\Library .NET";
    layout.SourceDir = "Source";

    const auto set = [&](LayoutTarget target, const TargetNames& names) {
        layout.Targets[static_cast<std::size_t>(target)] = MakeTarget(names, layout.DirSuffix);
    };
    set(LayoutTarget::Win32, Win32Names(ide.Version));
    set(LayoutTarget::Win64, {"\\Library\\Win64", "\\C++\\Paths\\Win64", "\\Win64", true, true});
    set(LayoutTarget::OSX32, {"\\Library\\OSX32", "\\C++\\Paths\\OSX32", "\\OSX32", true, true});
    set(LayoutTarget::IOSSimulator, {"\\Library\\iOSSimulator", "", "\\iOSSimulator", false, false});
    set(LayoutTarget::IOSDevice, IOSDeviceNames(ide.Version));
    // Before version 22 there is no 64-bit iOS device target: its layout stays empty.
    if (ide.Version >= 22)
        set(LayoutTarget::IOSDevice64,
            {"\\Library\\iOSDevice64", "\\C++\\Paths\\iOSDevice64", "\\iOSDevice64", false, true});
    set(LayoutTarget::Android, {"\\Library\\Android32", "\\C++\\Paths\\Android", "\\Android", false, true});
    return layout;
}

IdeLayout BuildIdeLayout(const TIDE& ide, const RunOptions& options) {
    return DeriveIdeLayout(ide, options, kosetup::IsAppmethodIde(ide.RegKey));
}

} // namespace veksetup
