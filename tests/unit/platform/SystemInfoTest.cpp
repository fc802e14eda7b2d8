// Facts of the program and the system as a 32-bit program sees them under Wine 8.

#include "platform/SystemInfo.h"

#include "support/TempPrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(SystemInfoTest, ArgumentsAfterTheProgramArriveInTheAnsiCodePage) {
    std::string program = "/usr/bin/VekSetup", first = "-CN=Delphi",
                second = "-PATH=C:\\Caf\xc3\xa9 \xe2\x82\xac", third = "";
    char* argv[] = {program.data(), first.data(), second.data(), third.data(), nullptr};
    EXPECT_EQ(CommandLineArguments(4, argv),
              (std::vector<std::string>{"-CN=Delphi", "-PATH=C:\\Caf\xe9 \x80", ""}));
    EXPECT_TRUE(CommandLineArguments(1, argv).empty());
}

TEST(SystemInfoTest, TheSystemDirectoryIsThe32BitProgramsView) {
    EXPECT_EQ(SystemDirectory(), "C:\\windows\\system32");
}

TEST(SystemInfoTest, TheOwnFileIsSeenThroughTheZDrive) {
    const veksetup::testing::TempPrefix prefix;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string expected = "Z:" + self;
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_EQ(OwnModuleFileName(), expected);
}

TEST(SystemInfoTest, ErrorTextsAreWinesEnglishTexts) {
    struct Case {
        long code;
        const char* text;
    };
    // FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS) under Wine 8.
    const Case cases[] = {
        {0, "Success.\r\n"},
        {2, "File not found.\r\n"},
        {3, "Path not found.\r\n"},
        {5, "Access denied.\r\n"},
        {6, "Invalid handle.\r\n"},
        {19, "Write protected.\r\n"},
        {31, "General failure.\r\n"},
        {32, "Sharing violation.\r\n"},
        {80, "File exists.\r\n"},
        {87, "Invalid parameter.\r\n"},
        {112, "Disk full.\r\n"},
        {123, "Invalid name.\r\n"},
        {183, "File already exists.\r\n"},
        {206, "File name is too long.\r\n"},
        {259, "No more data available.\r\n"},
        {1018, "Key deleted.\r\n"},
        {1814, "Resource name not found.\r\n"},
        {999999, ""}, // FormatMessageA fails: no text
        {-1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(SystemErrorText(c.code), c.text);
    }
}

} // namespace
