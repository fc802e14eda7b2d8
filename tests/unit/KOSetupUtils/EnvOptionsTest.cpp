// The EnvOptions.proj editor on a machine: where the file is, the per-platform operations, and what
// happens to a file that is missing or cannot be opened.

#include "KOSetupUtils/EnvOptions.h"

#include "platform/Exceptions.h"
#include "platform/FileStream.h"
#include "support/TempPrefix.h"
#include "unit/KOSetupUtils/EnvOptionsTestDocument.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using veksetup::testing::EnvOptionsDocument;
using veksetup::testing::TempPrefix;

constexpr std::int32_t kVersionsWithFile[] = {11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

class EnvOptionsTest : public ::testing::Test {
  protected:
    std::string FileOf(std::int32_t version) const {
        const std::optional<std::string> name = kosetup::EnvOptionsFileName(version);
        if (!name)
            throw std::runtime_error("no EnvOptions.proj for version " + std::to_string(version));
        return *name;
    }
    void WriteEnvOptions(std::int32_t version, const std::string& text) {
        prefix.WriteFile(FileOf(version), text);
    }
    std::string ReadEnvOptions(std::int32_t version) const { return prefix.ReadFile(FileOf(version)); }

    TempPrefix prefix;
};

TEST_F(EnvOptionsTest, SettingsFolderFollowsTheVersion) {
    // Columns: IDE version, settings folder (nullopt: the version keeps no EnvOptions.proj).
    const std::pair<std::int32_t, std::optional<std::string>> cases[] = {
        {10, std::nullopt},
        {11, "Borland\\BDS\\5.0"},
        {12, "CodeGear\\BDS\\6.0"},
        {13, std::nullopt},
        {14, "CodeGear\\BDS\\7.0"},
        {15, "Embarcadero\\BDS\\8.0"},
        {19, "Embarcadero\\BDS\\12.0"},
        {20, "Embarcadero\\BDS\\14.0"},
        {24, "Embarcadero\\BDS\\18.0"},
        {25, std::nullopt},
    };
    for (const auto& [version, folder] : cases) {
        SCOPED_TRACE(version);
        EXPECT_EQ(kosetup::EnvOptionsSettingsFolder(version), folder);
        const std::optional<std::string> expectedFile =
            folder ? std::optional(prefix.AppDataPath() + "\\" + *folder + "\\EnvOptions.proj")
                   : std::nullopt;
        EXPECT_EQ(kosetup::EnvOptionsFileName(version), expectedFile);
    }
}

TEST_F(EnvOptionsTest, EachPlatformOperationEditsItsOwnGroupAndElements) {
    const std::string bin = "C:\\Vek\\Bin";
    const std::string lib = "C:\\Vek\\Lib";
    const std::string inc = "C:\\Vek\\Include";
    struct Edit {
        const char* platform; // "" for the group without a condition
        const char* element;
        std::string list;
    };
    // Columns: case, IDE version, the operation, the lists it leaves (all others stay "a").
    struct Case {
        const char* name;
        std::int32_t version;
        std::function<void(bool)> update;
        std::vector<Edit> edits;
    };
    const auto desktop = [&](const char* platform, const char* delphiElement) {
        return std::vector<Edit>{{platform, delphiElement, "a;" + bin + ";" + lib},
                                 {platform, "CBuilderLibraryPath", "a;" + bin + ";" + lib},
                                 {platform, "CBuilderIncludePath", "a;" + inc}};
    };
    const auto mobile = [&](const char* platform) {
        return std::vector<Edit>{{platform, "DelphiLibraryPath", "a;" + lib},
                                 {platform, "CBuilderLibraryPath", "a;" + lib},
                                 {platform, "CBuilderIncludePath", "a;" + inc}};
    };
    const Case cases[] = {
        {"Win32 below 15", 11, [&](bool u) { kosetup::UpdateEnvOptionsWin32(11, bin, lib, inc, u); },
         desktop("", "Win32LibraryPath")},
        {"Win32 at 14", 14, [&](bool u) { kosetup::UpdateEnvOptionsWin32(14, bin, lib, inc, u); },
         desktop("", "Win32LibraryPath")},
        {"Win32 at 15", 15, [&](bool u) { kosetup::UpdateEnvOptionsWin32(15, bin, lib, inc, u); },
         desktop("", "DelphiLibraryPath")},
        {"Win32 from 16", 16, [&](bool u) { kosetup::UpdateEnvOptionsWin32(16, bin, lib, inc, u); },
         desktop("Win32", "DelphiLibraryPath")},
        {"Win64", 16, [&](bool u) { kosetup::UpdateEnvOptionsWin64(16, bin, lib, inc, u); },
         desktop("Win64", "DelphiLibraryPath")},
        {"OSX32", 24, [&](bool u) { kosetup::UpdateEnvOptionsOSX32(24, bin, lib, inc, u); },
         desktop("OSX32", "DelphiLibraryPath")},
        {"iOS device below 22", 21, [&](bool u) { kosetup::UpdateEnvOptionsIOSDevice(21, lib, inc, u); },
         mobile("iOSDevice")},
        {"iOS device from 22", 22, [&](bool u) { kosetup::UpdateEnvOptionsIOSDevice(22, lib, inc, u); },
         mobile("iOSDevice32")},
        {"iOS device 64", 22, [&](bool u) { kosetup::UpdateEnvOptionsIOSDevice64(22, lib, inc, u); },
         mobile("iOSDevice64")},
        {"Android", 20, [&](bool u) { kosetup::UpdateEnvOptionsAndroid(20, lib, inc, u); },
         mobile("Android")},
        {".NET library path",
         11,
         [&](bool u) { kosetup::UpdateEnvOptionsDotNet(11, bin, lib, u); },
         {{"", "DotNetLibraryPath", "a;" + bin + ";" + lib}}},
        {".NET namespaces",
         11,
         [&](bool u) { kosetup::UpdateEnvOptionsNamespace(11, "Velmora.Sample", u); },
         {{"", "DotNetNamespaceSearchPath", "a;Velmora.Sample"}}},
    };
    const std::string original = EnvOptionsDocument().Text();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnvOptionsDocument expected;
        for (const Edit& edit : c.edits)
            expected.Set(edit.platform, edit.element, edit.list);
        WriteEnvOptions(c.version, original);

        c.update(false);
        EXPECT_EQ(ReadEnvOptions(c.version), expected.Text());
        c.update(false);
        EXPECT_EQ(ReadEnvOptions(c.version), expected.Text());
        c.update(true);
        EXPECT_EQ(ReadEnvOptions(c.version), original);
    }
}

TEST_F(EnvOptionsTest, VersionWithoutSettingsFolderChangesNoFile) {
    const std::string original = EnvOptionsDocument().Text();
    for (const std::int32_t version : kVersionsWithFile)
        WriteEnvOptions(version, original);
    for (const std::int32_t version : {10, 13, 25}) {
        SCOPED_TRACE(version);
        kosetup::UpdateEnvOptionsWin32(version, "C:\\Vek\\Bin", "C:\\Vek\\Lib", "C:\\Vek\\Include", false);
        kosetup::UpdateEnvOptionsWin64(version, "C:\\Vek\\Bin", "C:\\Vek\\Lib", "C:\\Vek\\Include", false);
        kosetup::UpdateEnvOptionsDotNet(version, "C:\\Vek\\Bin", "C:\\Vek\\Lib", false);
    }
    for (const std::int32_t version : kVersionsWithFile)
        EXPECT_EQ(ReadEnvOptions(version), original) << version;
}

TEST_F(EnvOptionsTest, FileIsRewrittenOnlyWhenItsTextChanges) {
    const std::string original =
        EnvOptionsDocument().Set("Win64", "DelphiLibraryPath", "a;C:\\Vek\\Lib").Text();
    const std::string group = "<PROPERTYGROUP CONDITION=\"'$(PLATFORM)'=='WIN64'\">";
    // Columns: case, element, entry, uninstall, whether the file is written again.
    struct Case {
        const char* name;
        const char* element;
        const char* entry;
        bool uninstall;
        bool rewritten;
    };
    const Case cases[] = {
        {"removing an absent entry", "DELPHILIBRARYPATH", "C:\\Vek\\Bin", true, false},
        {"adding a present entry", "DELPHILIBRARYPATH", "c:\\vek\\lib\\", false, false},
        {"a missing element", "DOTNETLIBRARYPATH", "C:\\Vek\\Bin", false, false},
        {"adding an absent entry", "DELPHILIBRARYPATH", "C:\\Vek\\Bin", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteEnvOptions(16, original);
        // The emulated file system replaces a written file by a new one, so a rewrite shows as a new
        // file identity even when the bytes come out the same.
        const auto identity = [&] {
            struct stat status {};
            EXPECT_EQ(::stat(prefix.HostPath(FileOf(16)).c_str(), &status), 0);
            return status.st_ino;
        };
        const auto before = identity();
        kosetup::UpdateEnvOptionsPath(16, group, "</PROPERTYGROUP>", "<" + std::string(c.element) + ">",
                                      "</" + std::string(c.element) + ">", c.entry, c.uninstall);
        EXPECT_EQ(identity() != before, c.rewritten);
        if (!c.rewritten) {
            EXPECT_EQ(ReadEnvOptions(16), original);
        }
    }
}

TEST_F(EnvOptionsTest, MissingFileIsNotCreated) {
    kosetup::UpdateEnvOptionsWin64(16, "C:\\Vek\\Bin", "C:\\Vek\\Lib", "C:\\Vek\\Include", false);
    EXPECT_FALSE(prefix.FileExists(FileOf(16)));
}

TEST_F(EnvOptionsTest, FileThatCannotBeOpenedRaisesTheOpenErrorAndStaysUnchanged) {
    const std::string original = EnvOptionsDocument().Text();
    WriteEnvOptions(16, original);
    const std::string group = "<PROPERTYGROUP CONDITION=\"'$(PLATFORM)'=='WIN32'\">";
    {
        // Held open without sharing, as the IDE or another setup would hold it.
        platform::FileStream holder(FileOf(16), platform::FileStreamMode::OpenReadWriteExclusive);
        try {
            kosetup::UpdateEnvOptionsPath(16, group, "</PROPERTYGROUP>", "<DELPHILIBRARYPATH>",
                                          "</DELPHILIBRARYPATH>", "C:\\Vek\\Lib", false);
            ADD_FAILURE() << "no error raised";
        } catch (const platform::EFOpenError& error) {
            EXPECT_EQ(error.Message().rfind("Cannot open file \"" + FileOf(16) + "\". ", 0), 0u)
                << error.Message();
        }
        // What ends a call before the file is opened still ends it quietly.
        for (const char* entry : {"", "\\"}) {
            EXPECT_NO_THROW(kosetup::UpdateEnvOptionsPath(
                16, group, "</PROPERTYGROUP>", "<DELPHILIBRARYPATH>", "</DELPHILIBRARYPATH>", entry, false));
        }
    }
    EXPECT_EQ(ReadEnvOptions(16), original);
}

} // namespace
