#include "VekSetupUtils/IdeList.h"

#include "KOSetupUtils/IntegerText.h"
#include "VekSetupUtils/CommandLine.h"
#include "VekSetupUtils/IdeTable.h"
#include "platform/Exceptions.h"
#include "platform/TRegistry.h"
#include "platform/UserInterface.h"
#include "platform/Win32Constants.h"

namespace veksetup {

namespace {

[[noreturn]] void WarnNotInstalled(const TIDE& ide) {
    platform::ShowMessageBox(ide.Name + " " + std::to_string(ide.Version) + " is not installed.", "Warning",
                             platform::kMbOk);
    throw platform::EAbort("Operation aborted");
}

} // namespace

void DescribeIde(TIDE& ide) {
    // An unknown IDE has no key of its own: testing it would open the root itself and every later
    // key would be derived from the root of HKEY_CURRENT_USER.
    if (!FillFromIdeTable(ide))
        WarnNotInstalled(ide);
    platform::TRegistry registry(platform::RegistryAccess::Read, platform::kHkeyLocalMachine);
    if (!registry.OpenKey(ide.RegKey, platform::KeyCreation::OpenExisting))
        WarnNotInstalled(ide);
    ide.RootDir = registry.ReadString("RootDir");
    if (ide.RootDir.empty() || ide.RootDir.back() != '\\')
        ide.RootDir.push_back('\\');
}

IdeList BuildIdeList(const std::string& ideNames, const std::string& ideVersions) {
    const TStringArray names = SplitBar(ideNames);
    const TStringArray versions = SplitBar(ideVersions);
    if (names.size() != versions.size())
        throw platform::Exception("Invalid IDE parameters list");
    IdeList ides(names.size());
    for (std::size_t i = 0; i < ides.size(); ++i) {
        ides[i].Name = names[i];
        ides[i].Version = kosetup::StrToInt(versions[i]);
        DescribeIde(ides[i]);
    }
    return ides;
}

} // namespace veksetup
