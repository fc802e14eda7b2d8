#include "KOSetupUtils/EnvOptions.h"

#include "KOSetupUtils/EnvOptionsSplice.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "platform/ShellFolders.h"
#include "platform/Win32Constants.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace kosetup {

namespace {

// The IDE's settings folder per version. The folder numbers skip 13.0, and version 13 has none.
struct SettingsFolderRow {
    std::int32_t Version;
    std::string_view Folder;
};
constexpr SettingsFolderRow kSettingsFolders[] = {
    {11, "Borland\\BDS\\5.0"},      {12, "CodeGear\\BDS\\6.0"},     {14, "CodeGear\\BDS\\7.0"},
    {15, "Embarcadero\\BDS\\8.0"},  {16, "Embarcadero\\BDS\\9.0"},  {17, "Embarcadero\\BDS\\10.0"},
    {18, "Embarcadero\\BDS\\11.0"}, {19, "Embarcadero\\BDS\\12.0"}, {20, "Embarcadero\\BDS\\14.0"},
    {21, "Embarcadero\\BDS\\15.0"}, {22, "Embarcadero\\BDS\\16.0"}, {23, "Embarcadero\\BDS\\17.0"},
    {24, "Embarcadero\\BDS\\18.0"},
};

// One list element of a platform and the entries it receives, in call order.
struct ElementEntries {
    std::string_view Element;
    std::vector<std::string> Entries;
};

// The calls of one per-platform operation: every entry of every element, in order, each a call of its
// own so that it sees the file as the previous one left it.
void UpdateEnvOptionsElements(std::int32_t version, std::string_view platformWord,
                              std::initializer_list<ElementEntries> elements, bool uninstall) {
    const std::string groupStart = platformWord.empty() ? std::string() : PropertyGroupStart(platformWord);
    const std::string groupEnd = platformWord.empty() ? std::string() : std::string(kPropertyGroupEnd);
    for (const ElementEntries& element : elements) {
        const std::string start = ElementStartTag(element.Element);
        const std::string end = ElementEndTag(element.Element);
        for (const std::string& entry : element.Entries)
            UpdateEnvOptionsPath(version, groupStart, groupEnd, start, end, entry, uninstall);
    }
}

// The desktop platforms (Win32, Win64, OSX32): Delphi's and C++Builder's library paths get Bin and
// Lib, C++Builder's include path gets Include.
void UpdateDesktopPlatform(std::int32_t version, std::string_view platformWord,
                           std::string_view delphiElement, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall) {
    UpdateEnvOptionsElements(version, platformWord,
                             {{delphiElement, {bin, lib}},
                              {"CBUILDERLIBRARYPATH", {bin, lib}},
                              {"CBUILDERINCLUDEPATH", {include}}},
                             uninstall);
}

// The mobile platforms (iOS devices, Android) have no Bin directory.
void UpdateMobilePlatform(std::int32_t version, std::string_view platformWord, const std::string& lib,
                          const std::string& include, bool uninstall) {
    UpdateEnvOptionsElements(
        version, platformWord,
        {{"DELPHILIBRARYPATH", {lib}}, {"CBUILDERLIBRARYPATH", {lib}}, {"CBUILDERINCLUDEPATH", {include}}},
        uninstall);
}

} // namespace

std::optional<std::string> EnvOptionsSettingsFolder(std::int32_t version) {
    for (const SettingsFolderRow& row : kSettingsFolders) {
        if (row.Version == version)
            return std::string(row.Folder);
    }
    return std::nullopt;
}

std::optional<std::string> EnvOptionsFileName(std::int32_t version) {
    const std::optional<std::string> folder = EnvOptionsSettingsFolder(version);
    if (!folder)
        return std::nullopt;
    std::string appData;
    if (platform::GetFolderPath(platform::kCsidlAppData, appData) != 0)
        return std::nullopt;
    return appData + "\\" + *folder + "\\EnvOptions.proj";
}

void UpdateEnvOptionsPath(std::int32_t version, const std::string& groupStart, const std::string& groupEnd,
                          const std::string& elementStart, const std::string& elementEnd,
                          const std::string& entry, bool uninstall) {
    if (EnvOptionsEntryText(entry).empty())
        return;
    const std::optional<std::string> fileName = EnvOptionsFileName(version);
    if (!fileName || !platform::FileExists(*fileName))
        return;
    platform::FileStream file(*fileName, platform::FileStreamMode::OpenReadWriteExclusive);
    const std::string text = file.ReadToEnd();
    const EnvOptionsTags tags{groupStart, groupEnd, elementStart, elementEnd};
    const std::optional<std::string> edited = SpliceEnvOptionsEntry(text, tags, entry, uninstall);
    if (!edited)
        return;
    file.SeekToStart();
    file.Truncate();
    file.Write(*edited);
}

void UpdateEnvOptionsWin32(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall) {
    UpdateDesktopPlatform(version, version >= 16 ? "WIN32" : "",
                          version >= 15 ? "DELPHILIBRARYPATH" : "WIN32LIBRARYPATH", bin, lib, include,
                          uninstall);
}

void UpdateEnvOptionsWin64(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall) {
    UpdateDesktopPlatform(version, "WIN64", "DELPHILIBRARYPATH", bin, lib, include, uninstall);
}

void UpdateEnvOptionsOSX32(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall) {
    UpdateDesktopPlatform(version, "OSX32", "DELPHILIBRARYPATH", bin, lib, include, uninstall);
}

void UpdateEnvOptionsIOSDevice(std::int32_t version, const std::string& lib, const std::string& include,
                               bool uninstall) {
    UpdateMobilePlatform(version, version >= 22 ? "IOSDEVICE32" : "IOSDEVICE", lib, include, uninstall);
}

void UpdateEnvOptionsIOSDevice64(std::int32_t version, const std::string& lib, const std::string& include,
                                 bool uninstall) {
    UpdateMobilePlatform(version, "IOSDEVICE64", lib, include, uninstall);
}

void UpdateEnvOptionsAndroid(std::int32_t version, const std::string& lib, const std::string& include,
                             bool uninstall) {
    UpdateMobilePlatform(version, "ANDROID", lib, include, uninstall);
}

void UpdateEnvOptionsDotNet(std::int32_t version, const std::string& bin, const std::string& lib,
                            bool uninstall) {
    UpdateEnvOptionsElements(version, "", {{"DOTNETLIBRARYPATH", {bin, lib}}}, uninstall);
}

void UpdateEnvOptionsNamespace(std::int32_t version, const std::string& nameSpace, bool uninstall) {
    UpdateEnvOptionsElements(version, "", {{"DOTNETNAMESPACESEARCHPATH", {nameSpace}}}, uninstall);
}

} // namespace kosetup
