#include "VekSetupUtils/Packages.h"

#include "KOSetupUtils/RegValueUtils.h"
#include "VekSetupUtils/SharedDllCount.h"

#include <vector>

namespace veksetup {

namespace {

using kosetup::DeleteValuesContaining;

// One group of packages. The clearing texts are matched inside value names without regard to case;
// the family's start with "\" so that they only match whole file names.
struct PackageGroup {
    std::vector<std::string> disabledClearing;
    std::vector<std::string> knownClearing;
    std::string runtimePackage; // empty: no presence test
    std::string designPackage;  // file name in the IDE's Bin directory
    std::string description;
};

// The runtime package is the family's own and no other product's: listed once in the shared-file list.
bool RuntimePackagePresent(const std::string& runtimePackage, const SetupContext& context) {
    return SharedDllCount(context.SystemDir + runtimePackage) == 1;
}

class PackageRegistrar {
  public:
    PackageRegistrar(const TIDE& ide, const IdeLayout& layout, const SetupContext& context)
        : ide_(ide), context_(context), disabledKey_(ide.RegKey + "\\Disabled Packages"),
          knownKey_(ide.RegKey + layout.KnownPackagesKey) {}

    std::string Bpl(const std::string& stem) const { return stem + ide_.PackageSuffix + ".bpl"; }
    // The clearing text of a family package: its file name after a directory separator.
    std::string WholeFileName(const std::string& stem) const {
        std::string text = "\\";
        return text += Bpl(stem);
    }

    void Apply(const PackageGroup& group) const {
        for (const std::string& text : group.disabledClearing)
            DeleteValuesContaining(disabledKey_, text);
        if (!group.runtimePackage.empty() && !RuntimePackagePresent(group.runtimePackage, context_))
            return;
        for (const std::string& text : group.knownClearing)
            DeleteValuesContaining(knownKey_, text);
        Register(group.designPackage, group.description);
    }

    void Register(const std::string& designPackage, const std::string& description) const {
        kosetup::SetRegValue(knownKey_, ide_.RootDir + "Bin\\" + designPackage, description,
                             context_.Options.Uninstall, false, platform::kHkeyCurrentUser);
    }

    // The IDE's own FireMonkey standard design package, when it is registered with a description.
    bool IdeHasFireMonkeyDesigner() const {
        const kosetup::RegValue value =
            kosetup::FindRegValue(knownKey_, Bpl("dclfmxstd"), platform::kHkeyCurrentUser);
        return !kosetup::IsEmptyRegValue(value);
    }

  private:
    const TIDE& ide_;
    const SetupContext& context_;
    std::string disabledKey_;
    std::string knownKey_;
};

// A group whose one package is cleared from both lists by the same text and registered as it is.
PackageGroup SinglePackageGroup(const PackageRegistrar& registrar, const std::string& stem,
                                const std::string& description) {
    const std::string package = registrar.Bpl(stem);
    return {{package}, {package}, "", package, description};
}

PackageGroup VekBaseGroup(const PackageRegistrar& registrar, bool fireMonkey) {
    std::vector<std::string> clearing = {registrar.WholeFileName("vek"), registrar.WholeFileName("vekvcl")};
    if (fireMonkey)
        clearing.push_back(registrar.WholeFileName("vekfmx"));
    clearing.push_back(registrar.WholeFileName("dclvek"));
    return {clearing, clearing, registrar.Bpl("vek"), registrar.Bpl("dclvek"), "Velmora Vek"};
}

PackageGroup ControlsGroup(const PackageRegistrar& registrar) {
    const std::string clearing = registrar.WholeFileName("dclkocontrols");
    return {{clearing},
            {clearing},
            registrar.Bpl("kocontrols"),
            registrar.Bpl("dclkocontrols"),
            "Velmora controls"};
}

PackageGroup ProductGroup(const PackageRegistrar& registrar, const RunOptions& options) {
    const std::string& prefix = options.PackagePrefix;
    PackageGroup group;
    group.disabledClearing = {registrar.Bpl(prefix), registrar.Bpl(prefix + "vcl")};
    group.knownClearing = group.disabledClearing;
    if (options.FireMonkey) {
        group.disabledClearing.push_back(registrar.Bpl(prefix + "fmx"));
        group.knownClearing.push_back(registrar.Bpl(prefix + "fmx"));
        group.knownClearing.push_back(registrar.Bpl("dcl" + prefix + "fmx"));
    }
    group.disabledClearing.push_back(registrar.Bpl("dcl" + prefix));
    group.knownClearing.push_back(registrar.Bpl("dcl" + prefix));
    group.designPackage = registrar.Bpl("dcl" + prefix);
    group.description = options.ProductTitle;
    return group;
}

// Products whose FireMonkey variant has no design package of its own.
bool HasFireMonkeyDesignPackage(const std::string& packagePrefix) {
    return packagePrefix != "ptable" && packagePrefix != "pquery";
}

} // namespace

std::string FireMonkeyPackageTitle(const std::string& productTitle) {
    static const std::string kComponents = "Components";
    std::string title = productTitle;
    const std::string::size_type pos = title.find(kComponents);
    if (pos != std::string::npos)
        title.replace(pos, kComponents.size(), "GUI FireMonkey related Components");
    return title;
}

void RegisterPackages(const TIDE& ide, const IdeLayout& layout, const SetupContext& context) {
    const RunOptions& options = context.Options;
    const PackageRegistrar registrar(ide, layout, context);

    if (options.VekBase && options.HasPlatform(TargetPlatform::Win32))
        registrar.Apply(VekBaseGroup(registrar, options.FireMonkey));
    if (options.HasControlsPlatform(TargetPlatform::Win32))
        registrar.Apply(ControlsGroup(registrar));
    if (options.HasPlatform(TargetPlatform::Win32)) {
        registrar.Apply(ProductGroup(registrar, options));
        // On uninstall the variant's value went with the clearing; registering it removes nothing more.
        if (options.FireMonkey && registrar.IdeHasFireMonkeyDesigner() &&
            HasFireMonkeyDesignPackage(options.PackagePrefix))
            registrar.Register(registrar.Bpl("dcl" + options.PackagePrefix + "fmx"),
                               FireMonkeyPackageTitle(options.ProductTitle));
    }
    if (options.IndyWrapper)
        registrar.Apply(SinglePackageGroup(registrar, options.IndyPackage, "Velmora Indy wrapper"));
    if (options.OraProvider)
        registrar.Apply(SinglePackageGroup(registrar, "dcloralink", "OVEK support for MIDAS"));
    if (options.PackagePrefix == "myvek")
        registrar.Apply(
            SinglePackageGroup(registrar, "dclmysqlwatch", "Vek Components for MySQL - TMySQLWatcher"));
}

} // namespace veksetup
