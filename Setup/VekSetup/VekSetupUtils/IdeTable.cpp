#include "VekSetupUtils/IdeTable.h"

#include <algorithm>
#include <iterator>

namespace veksetup {

namespace {

// There is no Delphi 13.
constexpr IdeTableRow kIdeTable[] = {
    {"Delphi", 5, "Software\\Borland\\Delphi\\5.0", "delphi5.cnt", ""},
    {"Delphi", 6, "Software\\Borland\\Delphi\\6.0", "delphi6.cnt", "del6vcl.cnt"},
    {"Delphi", 7, "Software\\Borland\\Delphi\\7.0", "d7.cnt", "d7vcl.cnt"},
    {"Delphi", 8, "Software\\Borland\\BDS\\2.0", "", ""},
    {"Delphi", 9, "Software\\Borland\\BDS\\3.0", "", ""},
    {"Delphi", 10, "Software\\Borland\\BDS\\4.0", "", ""},
    {"Delphi", 11, "Software\\Borland\\BDS\\5.0", "", ""},
    {"Delphi", 12, "Software\\CodeGear\\BDS\\6.0", "", ""},
    {"Delphi", 14, "Software\\CodeGear\\BDS\\7.0", "", ""},
    {"Delphi", 15, "Software\\Embarcadero\\BDS\\8.0", "", ""},
    {"Delphi", 16, "Software\\Embarcadero\\BDS\\9.0", "", ""},
    {"Delphi", 17, "Software\\Embarcadero\\BDS\\10.0", "", ""},
    {"Delphi", 18, "Software\\Embarcadero\\BDS\\11.0", "", ""},
    {"Delphi", 19, "Software\\Embarcadero\\BDS\\12.0", "", ""},
    {"Delphi", 20, "Software\\Embarcadero\\BDS\\14.0", "", ""},
    {"Delphi", 21, "Software\\Embarcadero\\BDS\\15.0", "", ""},
    {"Delphi", 22, "Software\\Embarcadero\\BDS\\16.0", "", ""},
    {"Delphi", 23, "Software\\Embarcadero\\BDS\\17.0", "", ""},
    {"Delphi", 24, "Software\\Embarcadero\\BDS\\18.0", "", ""},
    {"CBuilder", 5, "Software\\Borland\\C++Builder\\5.0", "bcb5.cnt", ""},
    {"CBuilder", 6, "Software\\Borland\\C++Builder\\6.0", "bcb6.cnt", "bcb6vcl.cnt"},
};

} // namespace

const IdeTableRow* FindIdeTableRow(const std::string& name, std::int32_t version) {
    const auto* row =
        std::find_if(std::begin(kIdeTable), std::end(kIdeTable), [&](const IdeTableRow& candidate) {
            return candidate.Name == name && candidate.Version == version;
        });
    return row == std::end(kIdeTable) ? nullptr : row;
}

std::string PackageSuffixFor(std::int32_t version) {
    return version == 11 ? "105" : std::to_string(version) + "0";
}

bool FillFromIdeTable(TIDE& ide) {
    const bool delphi = IsDelphi(ide);
    ide.HasDotNet = delphi && ide.Version >= 8 && ide.Version <= 11;
    ide.HasWin32 = true;
    ide.HasWin64 = delphi && ide.Version >= 16;
    ide.HasOSX32 = delphi && ide.Version >= 16;
    ide.HasIOS = delphi && ide.Version >= 18;
    ide.HasAndroid = delphi && ide.Version >= 19;
    ide.PackageSuffix = PackageSuffixFor(ide.Version);

    const IdeTableRow* row = FindIdeTableRow(ide.Name, ide.Version);
    if (row == nullptr)
        return false;
    ide.RegKey = row->RegKey;
    ide.HelpFile = row->HelpFile;
    ide.VclHelpFile = row->VclHelpFile;
    return true;
}

} // namespace veksetup
