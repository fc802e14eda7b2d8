#include "VekSetupUtils/Experts.h"

#include "support/TempPrefix.h"
#include "unit/VekSetupUtils/TestIdes.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

using platform::kHkeyCurrentUser;
using Names = std::vector<std::string>;

class ExpertsTest : public ::testing::Test {
  protected:
    testing::TempPrefix prefix;
};

TEST_F(ExpertsTest, ListsTheExpertsFromTheProductsWin32BinDirectory) {
    // IDE version, per-IDE directories, the two libraries
    const struct {
        std::int32_t version;
        bool perIdeDirs;
        const char* mainExpert;
        const char* wizard;
    } cases[] = {
        {7, false, "C:\\Vek\\Bin\\VekExpert70.dll", "C:\\Vek\\Bin\\packagewizard70.dll"},
        {7, true, "C:\\Vek\\Bin\\Delphi7\\VekExpert70.dll", "C:\\Vek\\Bin\\Delphi7\\packagewizard70.dll"},
        {11, false, "C:\\Vek\\Bin\\VekExpert105.dll", "C:\\Vek\\Bin\\packagewizard105.dll"},
        {16, false, "C:\\Vek\\Bin\\Win32\\VekExpert160.dll", "C:\\Vek\\Bin\\Win32\\packagewizard160.dll"},
        {16, true, "C:\\Vek\\Bin\\Delphi16\\Win32\\VekExpert160.dll",
         "C:\\Vek\\Bin\\Delphi16\\Win32\\packagewizard160.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + (c.perIdeDirs ? " -S" : ""));
        const TIDE ide = testing::TestIde("Delphi", c.version);
        RunOptions options;
        options.ProductDir = "C:\\Vek\\";
        options.ExpertName = "VekExpert";
        options.PerIdeDirs = c.perIdeDirs;
        const IdeLayout layout = DeriveIdeLayout(ide, options, false);
        RegisterMainExpert(ide, layout, options);
        RegisterOraWizard(ide, layout, options);
        const std::string key = ide.RegKey + "\\Experts";
        EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, key, "VekExpert"), c.mainExpert);
        EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, key, "Oracle Package Wizard"), c.wizard);
    }
}

TEST_F(ExpertsTest, UninstallRemovesTheValuesAndLeavesTheKey) {
    const TIDE ide = testing::TestIde("Delphi", 16);
    const std::string key = ide.RegKey + "\\Experts";
    prefix.SetString(kHkeyCurrentUser, key, "VEKEXPERT", "C:\\Old\\VekExpert150.dll");
    prefix.SetString(kHkeyCurrentUser, key, "oracle package wizard", "C:\\Old\\packagewizard150.dll");
    prefix.SetString(kHkeyCurrentUser, key, "Other", "C:\\Other\\other.dll");
    RunOptions options;
    options.ProductDir = "C:\\Vek\\";
    options.ExpertName = "VekExpert";
    options.Uninstall = true;
    const IdeLayout layout = DeriveIdeLayout(ide, options, false);
    RegisterMainExpert(ide, layout, options);
    RegisterOraWizard(ide, layout, options);
    EXPECT_EQ(prefix.ValueNames(kHkeyCurrentUser, key), Names{"Other"});

    // A missing "Experts" key is created, empty, in an uninstall too.
    const TIDE other = testing::TestIde("CBuilder", 6);
    RegisterOraWizard(other, DeriveIdeLayout(other, options, false), options);
    EXPECT_TRUE(prefix.KeyExists(kHkeyCurrentUser, other.RegKey + "\\Experts"));
    EXPECT_TRUE(prefix.ValueNames(kHkeyCurrentUser, other.RegKey + "\\Experts").empty());
}

} // namespace
} // namespace veksetup
