#include "VekSetupUtils/LastChanceReport.h"

#include <gtest/gtest.h>

namespace veksetup {
namespace {

TEST(LastChanceReportTest, FormatsClassModuleAddressAndMessage) {
    EXPECT_EQ(FormatLastChanceReport("Exception", "VekSetup.exe", 0x0040A1B2, "Invalid IDE parameters list"),
              "Exception Exception in module VekSetup.exe at 0040A1B2.\r\nInvalid IDE parameters list.\r\n");
    // A message that ends in a full stop gets no second one.
    EXPECT_EQ(FormatLastChanceReport("EConvertError", "VekSetup", 0xFFFFFFFF, "Done."),
              "Exception EConvertError in module VekSetup at FFFFFFFF.\r\nDone.\r\n");
    EXPECT_EQ(FormatLastChanceReport("ERegistryException", "v.exe", 0, ""),
              "Exception ERegistryException in module v.exe at 00000000.\r\n.\r\n");
}

TEST(LastChanceReportTest, TakesTheFileNameOfThePath) {
    EXPECT_EQ(FileNameOf("C:\\Program Files\\Vek\\VekSetup.exe"), "VekSetup.exe");
    EXPECT_EQ(FileNameOf("Z:\\work\\build\\VekSetup"), "VekSetup");
    EXPECT_EQ(FileNameOf("VekSetup.exe"), "VekSetup.exe");
    EXPECT_EQ(FileNameOf("C:\\dir\\"), "");
}

} // namespace
} // namespace veksetup
