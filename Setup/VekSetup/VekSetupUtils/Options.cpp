#include "VekSetupUtils/Options.h"

#include "KOSetupUtils/TextCase.h"
#include "VekSetupUtils/IdeList.h"
#include "platform/Exceptions.h"
#include "platform/SystemInfo.h"

#include <utility>

namespace veksetup {

namespace {

// A platform word of -P or -G and the platform it names.
struct PlatformWord {
    const char* word;
    TargetPlatform platform;
};

constexpr PlatformWord kProductPlatformWords[] = {
    {"Win32", TargetPlatform::Win32}, {"Win64", TargetPlatform::Win64},     {"OSX32", TargetPlatform::OSX32},
    {"iOS", TargetPlatform::IOS},     {"Android", TargetPlatform::Android}, {"Net", TargetPlatform::DotNet},
};

constexpr PlatformWord kControlsPlatformWords[] = {
    {"Win32", TargetPlatform::Win32},
    {"Win64", TargetPlatform::Win64},
    {"Net", TargetPlatform::DotNet},
};

// The platforms whose words the list holds.
template <std::size_t N>
PlatformSet PlatformsNamed(const TStringArray& items, const PlatformWord (&words)[N]) {
    PlatformSet platforms;
    for (const PlatformWord& word : words)
        if (ContainsItem(items, word.word))
            platforms.insert(word.platform);
    return platforms;
}

template <std::size_t N> PlatformSet AllPlatforms(const PlatformWord (&words)[N]) {
    PlatformSet platforms;
    for (const PlatformWord& word : words)
        platforms.insert(word.platform);
    return platforms;
}

[[noreturn]] void RaiseMissingOption(const std::string& option) {
    throw platform::Exception("The command line gives no value for " + option);
}

// The value of an option that the run cannot do without.
std::string RequiredValue(const CommandLineArgs& args, const std::string& option,
                          bool (*accepts)(const std::string&)) {
    std::string value = GetParam(args, option).value;
    if (!accepts(value))
        RaiseMissingOption(option);
    return value;
}

bool IsNonEmpty(const std::string& text) {
    return !text.empty();
}

} // namespace

PlatformSet ReadPlatforms(const CommandLineArgs& args) {
    const TStringArray items = SplitBar(GetParam(args, "-P").value);
    return ContainsItem(items, "All") ? AllPlatforms(kProductPlatformWords)
                                      : PlatformsNamed(items, kProductPlatformWords);
}

// -G has no "All".
PlatformSet ReadControlsPlatforms(const CommandLineArgs& args) {
    return PlatformsNamed(SplitBar(GetParam(args, "-G").value), kControlsPlatformWords);
}

RunOptions ReadRunOptions(const CommandLineArgs& args) {
    RunOptions options;
    // "N/A" passes here: it is the product that tells the driver to do nothing.
    options.ProductName = RequiredValue(args, "-N", IsNonEmpty);
    options.ProductTitle = RequiredValue(args, "-FN", IsNonEmpty);
    options.PackagePrefix = GetParam(args, "-PL").value;
    if (!IsGiven(options.PackagePrefix))
        options.PackagePrefix = kosetup::AsciiLowerCase(options.ProductName);
    options.ExpertName = GetParam(args, "-MWN").value;
    options.IndyPackage = GetParam(args, "-INDYN").value;
    options.ProductDir = RequiredValue(args, "-PATH", IsGiven);
    if (options.ProductDir.back() != '\\')
        options.ProductDir.push_back('\\');
    options.Edition = GetParam(args, "-R").value;

    options.Uninstall = HasFlag(args, "-U");
    options.PerIdeDirs = HasFlag(args, "-S");
    options.VekBase = HasFlag(args, "-VEK");
    options.FireMonkey = HasFlag(args, "-FMX");
    options.Help = HasFlag(args, "-H");
    options.MainExpert = HasFlag(args, "-MW");
    options.RecordDeskTool = HasFlag(args, "-DM");
    options.OraProvider = HasFlag(args, "-OP");
    options.OraWizard = HasFlag(args, "-OPW");
    options.UdtProxy = HasFlag(args, "-UDT");
    options.IndyWrapper = HasFlag(args, "-INDY");

    // Without its name the Indy package's clearing text would be the bare suffix ("70.bpl") and
    // clear every package of the IDE; without its name the expert would land in the default value.
    if (options.IndyWrapper && options.IndyPackage.empty())
        RaiseMissingOption("-INDYN (needed by -INDY)");
    if (options.MainExpert && options.ExpertName.empty())
        RaiseMissingOption("-MWN (needed by -MW)");

    options.Platforms = ReadPlatforms(args);
    options.ControlsPlatforms = ReadControlsPlatforms(args);
    return options;
}

SetupContext ReadOptions(const CommandLineArgs& args) {
    SetupContext context;
    const std::string ideNames = GetParam(args, "-CN").value;
    if (!IsGiven(ideNames))
        return context;
    const std::string ideVersions = GetParam(args, "-CV").value;
    if (!IsGiven(ideVersions))
        return context;
    context.Ides = BuildIdeList(ideNames, ideVersions);
    context.Options = ReadRunOptions(args);
    context.SystemDir = platform::SystemDirectory() + "\\";
    return context;
}

} // namespace veksetup
