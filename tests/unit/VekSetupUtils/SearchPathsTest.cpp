// The driver's search path steps on a machine: which list values of which keys, and which
// EnvOptions.proj elements, gain the product's directories for each IDE version and platform.

#include "VekSetupUtils/SearchPaths.h"

#include "KOSetupUtils/EnvOptions.h"
#include "VekSetupUtils/IdeTable.h"
#include "platform/Exceptions.h"
#include "platform/FileStream.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"
#include "unit/KOSetupUtils/EnvOptionsTestDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace veksetup {
namespace {

using platform::kHkeyCurrentUser;
using testing::EnvOptionsDocument;
using testing::TempPrefix;

using Step = void (*)(const TIDE&, const IdeLayout&, const RunOptions&);

// Every list value an IDE keeps that a step could touch: key suffix and value name.
struct ListValueName {
    const char* key;
    const char* name;
};
constexpr ListValueName kListValues[] = {
    // The IDE's own key: a step that takes a missing layout key for a real one writes here.
    {"", "Search Path"},
    {"\\Library", "Search Path"},
    {"\\Library\\Win32", "Search Path"},
    {"\\Library\\Win64", "Search Path"},
    {"\\Library\\OSX32", "Search Path"},
    {"\\Library\\iOSSimulator", "Search Path"},
    {"\\Library\\iOSDevice", "Search Path"},
    {"\\Library\\iOSDevice32", "Search Path"},
    {"\\Library\\iOSDevice64", "Search Path"},
    {"\\Library\\Android32", "Search Path"},
    {"\\Library\\Android", "Search Path"},
    {"\\CppPaths", "SearchPath"},
    {"\\C++\\Paths", "LibraryPath"},
    {"\\C++\\Paths", "IncludePath"},
    {"\\C++\\Paths\\Win32", "LibraryPath"},
    {"\\C++\\Paths\\Win32", "IncludePath"},
    {"\\C++\\Paths\\Win64", "LibraryPath"},
    {"\\C++\\Paths\\Win64", "IncludePath"},
    {"\\C++\\Paths\\OSX32", "LibraryPath"},
    {"\\C++\\Paths\\OSX32", "IncludePath"},
    {"\\C++\\Paths\\iOSDevice", "LibraryPath"},
    {"\\C++\\Paths\\iOSDevice", "IncludePath"},
    {"\\C++\\Paths\\iOSDevice32", "LibraryPath"},
    {"\\C++\\Paths\\iOSDevice32", "IncludePath"},
    {"\\C++\\Paths\\iOSDevice64", "LibraryPath"},
    {"\\C++\\Paths\\iOSDevice64", "IncludePath"},
    {"\\C++\\Paths\\Android", "LibraryPath"},
    {"\\C++\\Paths\\Android", "IncludePath"},
};

// A list value a step leaves other than "a": key suffix, value name, the list.
struct ListEdit {
    std::string key;
    std::string name;
    std::string list;
};

// An EnvOptions.proj list a step leaves other than "a".
struct EnvOptionsEdit {
    std::string platform;
    std::string element;
    std::string list;
};

// Columns: case, IDE name and version, -P, the step, the lists it leaves other than "a" in the
// registry and in EnvOptions.proj, whether it writes "ForceEnvOptionsUpdate"; -S and -R by PerIde().
struct PathCase {
    PathCase(const char* caseName, const char* nameOfIde, std::int32_t ideVersion,
             PlatformSet targetPlatforms, Step stepUnderTest, std::vector<ListEdit> listEdits,
             std::vector<EnvOptionsEdit> envOptionsEdits, bool forces)
        : name(caseName), ideName(nameOfIde), version(ideVersion), platforms(std::move(targetPlatforms)),
          step(stepUnderTest), lists(std::move(listEdits)), envOptions(std::move(envOptionsEdits)),
          forcesEnvOptionsUpdate(forces) {}

    const char* name;
    const char* ideName;
    std::int32_t version;
    PlatformSet platforms;
    Step step;
    std::vector<ListEdit> lists;
    std::vector<EnvOptionsEdit> envOptions;
    bool forcesEnvOptionsUpdate;
    bool perIdeDirs = false;
    std::string edition;
};

// The case run with per-IDE directories (-S) and the given edition (-R).
PathCase PerIde(PathCase c, std::string edition = "") {
    c.perIdeDirs = true;
    c.edition = std::move(edition);
    return c;
}

class SearchPathsTest : public ::testing::Test {
  protected:
    static TIDE MakeIde(const char* name, std::int32_t version) {
        TIDE ide;
        ide.Name = name;
        ide.Version = version;
        FillFromIdeTable(ide);
        ide.RootDir = "C:\\IDE\\";
        return ide;
    }

    static RunOptions MakeOptions(const PathCase& c, bool uninstall) {
        RunOptions options;
        options.ProductName = "Sample";
        options.ProductDir = "C:\\Vek\\";
        options.Platforms = c.platforms;
        options.PerIdeDirs = c.perIdeDirs;
        options.Edition = c.edition;
        options.Uninstall = uninstall;
        return options;
    }

    // A fresh machine on which every list value holds "a"; the IDE's EnvOptions.proj, if its version
    // keeps one, too.
    void LayOutMachine(const TIDE& ide) {
        prefix_.reset();
        prefix_.emplace();
        for (const ListValueName& value : kListValues)
            prefix().SetString(kHkeyCurrentUser, ide.RegKey + value.key, value.name, "a");
        if (const auto file = kosetup::EnvOptionsFileName(ide.Version))
            prefix().WriteFile(*file, EnvOptionsDocument().Text());
    }

    void RunStep(const PathCase& c, bool uninstall) {
        const TIDE ide = MakeIde(c.ideName, c.version);
        const RunOptions options = MakeOptions(c, uninstall);
        c.step(ide, BuildIdeLayout(ide, options), options);
    }

    // Every list value holds what the case says, or "a"; EnvOptions.proj likewise.
    void ExpectMachine(const PathCase& c, bool installed) {
        const TIDE ide = MakeIde(c.ideName, c.version);
        for (const ListValueName& value : kListValues) {
            std::string expected = "a";
            for (const ListEdit& edit : c.lists) {
                if (installed && edit.key == value.key && edit.name == value.name)
                    expected = edit.list;
            }
            EXPECT_EQ(prefix().ReadString(kHkeyCurrentUser, ide.RegKey + value.key, value.name), expected)
                << value.key << " " << value.name;
        }
        const std::optional<std::string> force =
            prefix().ReadString(kHkeyCurrentUser, ide.RegKey + "\\Globals", "ForceEnvOptionsUpdate");
        EXPECT_EQ(force, c.forcesEnvOptionsUpdate ? std::optional<std::string>("1") : std::nullopt);
        if (const auto file = kosetup::EnvOptionsFileName(ide.Version)) {
            EnvOptionsDocument expected;
            for (const EnvOptionsEdit& edit : c.envOptions) {
                if (installed)
                    expected.Set(edit.platform, edit.element, edit.list);
            }
            EXPECT_EQ(prefix().ReadFile(*file), expected.Text());
        } else {
            EXPECT_TRUE(c.envOptions.empty()) << "the case expects a file the version does not keep";
        }
    }

    TempPrefix& prefix() { return *prefix_; }

  private:
    std::optional<TempPrefix> prefix_{std::in_place};
};

using TP = TargetPlatform;

// The lists of one desktop target (Win32 from 16, Win64, OSX32) after its step: the library key gets
// Lib then Bin, the C++ paths Lib and Include, the EnvOptions.proj group Bin and Lib, and Include.
std::vector<ListEdit> DesktopLists(const std::string& target, const std::string& dir) {
    const std::string lib = "C:\\Vek\\Lib" + dir;
    return {{"\\Library\\" + target, "Search Path", "a;" + lib + ";C:\\Vek\\Bin" + dir},
            {"\\C++\\Paths\\" + target, "LibraryPath", "a;" + lib},
            {"\\C++\\Paths\\" + target, "IncludePath", "a;C:\\Vek\\Include" + dir}};
}
std::vector<EnvOptionsEdit> DesktopEnvOptions(const std::string& platform, const std::string& delphiElement,
                                              const std::string& dir) {
    const std::string binLib = "a;C:\\Vek\\Bin" + dir + ";C:\\Vek\\Lib" + dir;
    return {{platform, delphiElement, binLib},
            {platform, "CBuilderLibraryPath", binLib},
            {platform, "CBuilderIncludePath", "a;C:\\Vek\\Include" + dir}};
}
std::vector<EnvOptionsEdit> MobileEnvOptions(const std::string& platform, const std::string& dir) {
    return {{platform, "DelphiLibraryPath", "a;C:\\Vek\\Lib" + dir},
            {platform, "CBuilderLibraryPath", "a;C:\\Vek\\Lib" + dir},
            {platform, "CBuilderIncludePath", "a;C:\\Vek\\Include" + dir}};
}
std::vector<ListEdit> MobileCppLists(const std::string& target) {
    return {{"\\C++\\Paths\\" + target, "LibraryPath", "a;C:\\Vek\\Lib\\" + target},
            {"\\C++\\Paths\\" + target, "IncludePath", "a;C:\\Vek\\Include\\" + target}};
}
template <typename T> std::vector<T> Join(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<PathCase> PathCases() {
    // Win32 from 11 to 15: one library key and one C++ paths key for the platform.
    const std::vector<ListEdit> win32Below16 = {{"\\Library", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Bin"},
                                                {"\\C++\\Paths", "LibraryPath", "a;C:\\Vek\\Lib"},
                                                {"\\C++\\Paths", "IncludePath", "a;C:\\Vek\\Include"}};
    const ListEdit ios18Simulator{"\\Library\\iOSSimulator", "Search Path", "a;C:\\Vek\\Lib\\iOSSimulator"};
    return {
        {"Delphi 9: the library key only",
         "Delphi",
         9,
         {TP::Win32},
         RegisterWin32Paths,
         {{"\\Library", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Bin"}},
         {},
         false},
        {"Delphi 10: CppPaths gets Include, then Lib",
         "Delphi",
         10,
         {TP::Win32},
         RegisterWin32Paths,
         {{"\\Library", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Bin"},
          {"\\CppPaths", "SearchPath", "a;C:\\Vek\\Include;C:\\Vek\\Lib"}},
         {},
         false},
        {"Delphi 12: Win32LibraryPath outside groups",
         "Delphi",
         12,
         {TP::Win32},
         RegisterWin32Paths,
         win32Below16,
         DesktopEnvOptions("", "Win32LibraryPath", ""),
         true},
        {"Delphi 15: DelphiLibraryPath outside groups",
         "Delphi",
         15,
         {TP::Win32},
         RegisterWin32Paths,
         win32Below16,
         DesktopEnvOptions("", "DelphiLibraryPath", ""),
         true},
        {"Delphi 16 Win32",
         "Delphi",
         16,
         {TP::Win32},
         RegisterWin32Paths,
         DesktopLists("Win32", "\\Win32"),
         DesktopEnvOptions("Win32", "DelphiLibraryPath", "\\Win32"),
         true},
        PerIde({"Delphi 16 Win32 per IDE",
                "Delphi",
                16,
                {TP::Win32},
                RegisterWin32Paths,
                DesktopLists("Win32", "\\Delphi16\\Win32"),
                DesktopEnvOptions("Win32", "DelphiLibraryPath", "\\Delphi16\\Win32"),
                true}),
        {"C++Builder 6: Lib, Bin and Include in the library key",
         "CBuilder",
         6,
         {TP::Win32},
         RegisterWin32Paths,
         {{"\\Library", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Bin;C:\\Vek\\Include"}},
         {},
         false},
        PerIde({"C++Builder 5 per IDE",
                "CBuilder",
                5,
                {TP::Win32},
                RegisterWin32Paths,
                {{"\\Library", "Search Path",
                  "a;C:\\Vek\\Lib\\Delphi5;C:\\Vek\\Bin\\Delphi5;C:\\Vek\\Include\\Delphi5"}},
                {},
                false}),
        {"Win64",
         "Delphi",
         16,
         {TP::Win64},
         RegisterWin64Paths,
         DesktopLists("Win64", "\\Win64"),
         DesktopEnvOptions("Win64", "DelphiLibraryPath", "\\Win64"),
         false},
        {"OSX32",
         "Delphi",
         17,
         {TP::OSX32},
         RegisterOSX32Paths,
         DesktopLists("OSX32", "\\OSX32"),
         DesktopEnvOptions("OSX32", "DelphiLibraryPath", "\\OSX32"),
         false},
        {"iOS at 18: library keys only",
         "Delphi",
         18,
         {TP::IOS},
         RegisterIOSPaths,
         {ios18Simulator, {"\\Library\\iOSDevice", "Search Path", "a;C:\\Vek\\Lib\\iOSDevice"}},
         {},
         false},
        {"iOS at 19: the device's group and C++ paths",
         "Delphi",
         19,
         {TP::IOS},
         RegisterIOSPaths,
         Join({ios18Simulator, {"\\Library\\iOSDevice", "Search Path", "a;C:\\Vek\\Lib\\iOSDevice"}},
              MobileCppLists("iOSDevice")),
         MobileEnvOptions("iOSDevice", "\\iOSDevice"),
         false},
        {"iOS at 21: still iOSDevice, no 64-bit device",
         "Delphi",
         21,
         {TP::IOS},
         RegisterIOSPaths,
         Join({ios18Simulator, {"\\Library\\iOSDevice", "Search Path", "a;C:\\Vek\\Lib\\iOSDevice"}},
              MobileCppLists("iOSDevice")),
         MobileEnvOptions("iOSDevice", "\\iOSDevice"),
         false},
        {"iOS at 22: iOSDevice32 and iOSDevice64",
         "Delphi",
         22,
         {TP::IOS},
         RegisterIOSPaths,
         Join(Join({ios18Simulator,
                    {"\\Library\\iOSDevice32", "Search Path", "a;C:\\Vek\\Lib\\iOSDevice32"},
                    {"\\Library\\iOSDevice64", "Search Path", "a;C:\\Vek\\Lib\\iOSDevice64"}},
                   MobileCppLists("iOSDevice32")),
              MobileCppLists("iOSDevice64")),
         Join(MobileEnvOptions("iOSDevice32", "\\iOSDevice32"),
              MobileEnvOptions("iOSDevice64", "\\iOSDevice64")),
         false},
        {"Android at 19: Android32 library key only",
         "Delphi",
         19,
         {TP::Android},
         RegisterAndroidPaths,
         {{"\\Library\\Android32", "Search Path", "a;C:\\Vek\\Lib\\Android"}},
         {},
         false},
        {"Android at 20",
         "Delphi",
         20,
         {TP::Android},
         RegisterAndroidPaths,
         Join({{"\\Library\\Android32", "Search Path", "a;C:\\Vek\\Lib\\Android"}},
              MobileCppLists("Android")),
         MobileEnvOptions("Android", "\\Android"),
         false},
        PerIde({"Extra paths: Lib to each platform's key",
                "Delphi",
                16,
                {TP::Win32, TP::Win64, TP::OSX32},
                RegisterPerIdeExtraPaths,
                {{"\\Library\\Win32", "Search Path", "a;C:\\Vek\\Lib"},
                 {"\\Library\\Win64", "Search Path", "a;C:\\Vek\\Lib"},
                 {"\\Library\\OSX32", "Search Path", "a;C:\\Vek\\Lib"}},
                {},
                false}),
        PerIde({"Extra paths, express: Lib then Source",
                "Delphi",
                16,
                {TP::Win32, TP::IOS},
                RegisterPerIdeExtraPaths,
                {{"\\Library\\Win32", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Source"}},
                {},
                false},
               "eXpress"),
        PerIde({"Extra paths, iOS at 22: Lib to all three keys before Source",
                "Delphi",
                22,
                {TP::IOS, TP::Android},
                RegisterPerIdeExtraPaths,
                {{"\\Library\\iOSSimulator", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Source"},
                 {"\\Library\\iOSDevice32", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Source"},
                 {"\\Library\\iOSDevice64", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Source"},
                 {"\\Library\\Android32", "Search Path", "a;C:\\Vek\\Lib;C:\\Vek\\Source"}},
                {},
                false},
               "Express"),
        PerIde({"Extra paths: another edition gets no Source",
                "Delphi",
                21,
                {TP::IOS},
                RegisterPerIdeExtraPaths,
                {{"\\Library\\iOSSimulator", "Search Path", "a;C:\\Vek\\Lib"},
                 {"\\Library\\iOSDevice", "Search Path", "a;C:\\Vek\\Lib"}},
                {},
                false},
               "Express Plus"),
        PerIde({"Extra paths: C++Builder gets the Win32 part",
                "CBuilder",
                6,
                {TP::Win32, TP::Win64},
                RegisterPerIdeExtraPaths,
                {{"\\Library", "Search Path", "a;C:\\Vek\\Lib"}},
                {},
                false}),
    };
}

TEST_F(SearchPathsTest, StepsEditTheListsTheirVersionAndPlatformCallFor) {
    for (const PathCase& c : PathCases()) {
        SCOPED_TRACE(c.name);
        LayOutMachine(MakeIde(c.ideName, c.version));
        RunStep(c, false);
        ExpectMachine(c, true);
        // Repeating the step changes nothing.
        RunStep(c, false);
        ExpectMachine(c, true);
    }
}

TEST_F(SearchPathsTest, UninstallTakesOutWhatTheInstallAdded) {
    for (const PathCase& c : PathCases()) {
        SCOPED_TRACE(c.name);
        LayOutMachine(MakeIde(c.ideName, c.version));
        RunStep(c, false);
        // "ForceEnvOptionsUpdate" is written on uninstall too, so it is expected as after the install.
        RunStep(c, true);
        ExpectMachine(c, false);
    }
}

TEST_F(SearchPathsTest, ForceEnvOptionsUpdateIsWrittenByAnUninstallOnAFreshMachine) {
    const TIDE ide = MakeIde("Delphi", 16);
    RunOptions options;
    options.ProductDir = "C:\\Vek\\";
    options.Uninstall = true;
    RegisterWin32Paths(ide, BuildIdeLayout(ide, options), options);
    EXPECT_EQ(prefix().ReadString(kHkeyCurrentUser, ide.RegKey + "\\Globals", "ForceEnvOptionsUpdate"), "1");
    // EditListValue creates no keys.
    EXPECT_FALSE(prefix().KeyExists(kHkeyCurrentUser, ide.RegKey + "\\Library\\Win32"));
}

TEST_F(SearchPathsTest, FailuresReachTheCaller) {
    const TIDE ide = MakeIde("Delphi", 16);
    RunOptions options;
    options.ProductDir = "C:\\Vek\\";
    const IdeLayout layout = BuildIdeLayout(ide, options);

    // A list value that is not a string: the registry's read error; nothing is written.
    prefix().SetDword(kHkeyCurrentUser, ide.RegKey + "\\Library\\Win64", "Search Path", 7);
    EXPECT_THROW(RegisterWin64Paths(ide, layout, options), platform::ERegistryException);
    EXPECT_EQ(prefix().ReadDword(kHkeyCurrentUser, ide.RegKey + "\\Library\\Win64", "Search Path"), 7u);

    // An EnvOptions.proj held open by someone else: the open error, naming the file.
    const std::string file = *kosetup::EnvOptionsFileName(16);
    prefix().WriteFile(file, EnvOptionsDocument().Text());
    platform::FileStream holder(file, platform::FileStreamMode::OpenReadWriteExclusive);
    try {
        RegisterWin32Paths(ide, layout, options);
        ADD_FAILURE() << "no error raised";
    } catch (const platform::EFOpenError& error) {
        EXPECT_NE(error.Message().find(file), std::string::npos) << error.Message();
    }
}

} // namespace
} // namespace veksetup
