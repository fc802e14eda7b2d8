#include "VekSetupUtils/SetupDriver.h"

#include "KOSetupUtils/BprPaths.h"
#include "KOSetupUtils/HelpContents.h"
#include "KOSetupUtils/TextCase.h"
#include "VekSetupUtils/DotNetAssemblies.h"
#include "VekSetupUtils/Experts.h"
#include "VekSetupUtils/IdeLayout.h"
#include "VekSetupUtils/Packages.h"
#include "VekSetupUtils/RecordDesk.h"
#include "VekSetupUtils/SearchPaths.h"
#include "VekSetupUtils/UdtProxy.h"
#include "platform/Exceptions.h"
#include "platform/UserInterface.h"
#include "platform/Win32Constants.h"

namespace veksetup {

namespace {

constexpr const char* kControlsHelpTitle = "KOControls";

// Step 11: the proxy's failures never stop a run. Errors of the emulated machine are no failure of
// the step and still end the program.
void RegisterUdtProxyGuarded(const TIDE& ide, const RunOptions& options) {
    try {
        RegisterUdtProxy(ide, options);
    } catch (const platform::MachineError&) {
        throw;
    } catch (const std::exception&) {
    }
}

// Step 12.
void RegisterHelp(const TIDE& ide, const RunOptions& options) {
    if (!options.Help)
        return;
    if (options.HasPlatform(TargetPlatform::Win32))
        kosetup::UpdateHelpContents(ide.RootDir, ide.Name, ide.Version, options.ProductName, ide.HelpFile,
                                    ide.VclHelpFile, true, true);
    if (options.HasControlsPlatform(TargetPlatform::Win32) ||
        options.HasControlsPlatform(TargetPlatform::DotNet))
        kosetup::UpdateHelpContents(ide.RootDir, ide.Name, ide.Version, kControlsHelpTitle, ide.HelpFile,
                                    ide.VclHelpFile, true, false);
}

void ConfigureIde(const TIDE& ide, const SetupContext& context) {
    const RunOptions& options = context.Options;
    const IdeLayout layout = BuildIdeLayout(ide, options);
    const auto wants = [&options](TargetPlatform platform) { return options.HasPlatform(platform); };

    if (ide.HasDotNet)
        RegisterDotNetAssemblies(ide, layout, options);
    if (ide.HasWin32)
        RegisterPackages(ide, layout, context);
    if (ide.HasWin32 && (wants(TargetPlatform::Win32) || options.HasControlsPlatform(TargetPlatform::Win32) ||
                         options.OraProvider))
        RegisterWin32Paths(ide, layout, options);
    if (ide.HasWin64 && (wants(TargetPlatform::Win64) || options.HasControlsPlatform(TargetPlatform::Win64)))
        RegisterWin64Paths(ide, layout, options);
    if (ide.HasOSX32 && wants(TargetPlatform::OSX32))
        RegisterOSX32Paths(ide, layout, options);
    if (ide.HasIOS && wants(TargetPlatform::IOS))
        RegisterIOSPaths(ide, layout, options);
    if (ide.HasAndroid && wants(TargetPlatform::Android))
        RegisterAndroidPaths(ide, layout, options);
    if (options.MainExpert && IsDelphi(ide))
        RegisterMainExpert(ide, layout, options);
    if (options.OraWizard)
        RegisterOraWizard(ide, layout, options);
    if (options.RecordDeskTool)
        RegisterRecordDesk(ide, context);
    if (options.UdtProxy)
        RegisterUdtProxyGuarded(ide, options);
    if (kosetup::IsHelpIde(ide.Name, ide.Version) && !options.Uninstall)
        RegisterHelp(ide, options);
    if (IsCBuilder(ide))
        kosetup::UpdateBprPaths(ide.RootDir, options.ProductDir, ide.Version);
    if (options.PerIdeDirs)
        RegisterPerIdeExtraPaths(ide, layout, options);
}

} // namespace

bool IsPlaceholderProduct(const std::string& productName) {
    const std::string upper = kosetup::AsciiUpperCase(productName);
    return upper == "N/A" || upper == "DUMMY";
}

void RunSetup(const SetupContext& context) {
    if (IsPlaceholderProduct(context.Options.ProductName))
        return;
    try {
        for (const TIDE& ide : context.Ides)
            ConfigureIde(ide, context);
    } catch (const platform::Exception& error) {
        platform::ShowMessageBox(error.Message(), "VekSetup.exe", platform::kMbOk);
    }
}

} // namespace veksetup
