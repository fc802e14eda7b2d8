// Message boxes of the emulated Windows: one line on standard error, quoted as Wine's relay trace
// quotes the same call, answered OK at once; and the screen Wine reports without a display.

#include "platform/UserInterface.h"

#include "DebugString.h"
#include "platform/Win32Constants.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(UserInterfaceTest, TextsAreQuotedAsWinesDebugOutputQuotesThem) {
    struct Case {
        std::string text;
        const char* quoted;
    };
    using namespace std::string_literals;
    // The relay trace printed "a\"b\\c\td\re\nf\x01g\xe9h\x7f~" for the first text.
    const Case cases[] = {
        {"a\"b\\c\td\re\nf\x01g\xe9h\x7f~", R"("a\"b\\c\td\re\nf\x01g\xe9h\x7f~")"},
        {"Delphi 7 is not installed.", R"("Delphi 7 is not installed.")"},
        {"", R"("")"},
        {"\x1f \x80\xff", R"("\x1f \x80\xff")"},
        {"nul\0inside"s, R"("nul\x00inside")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quoted);
        EXPECT_EQ(posix::QuoteLikeWineDebug(c.text), c.quoted);
    }
}

TEST(UserInterfaceTest, AMessageBoxIsOneLineOnStandardErrorAnsweredOk) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::string caption;
        unsigned style;
        const char* line;
    };
    const Case cases[] = {
        {"Delphi 7 is not installed.", "Warning", kMbOk,
         "MessageBoxA(\"Delphi 7 is not installed.\",\"Warning\",0x00000000)\n"},
        {"Exception E in module M at 00401000.\r\nBoom.\r\n", "Application Error",
         kMbIconError | kMbTaskModal,
         "MessageBoxA(\"Exception E in module M at 00401000.\\r\\nBoom.\\r\\n\",\"Application "
         "Error\",0x00002010)\n"},
        // MessageBoxA reads its texts up to the first NUL.
        {"shown\0hidden"s, "cap\0tion"s, kMbOk, "MessageBoxA(\"shown\",\"cap\",0x00000000)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        testing::internal::CaptureStderr();
        const int answer = ShowMessageBox(c.text, c.caption, c.style);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line);
        EXPECT_EQ(answer, 1); // IDOK
    }
}

TEST(UserInterfaceTest, TheScreenIsWhatWineReportsWithoutADisplay) {
    EXPECT_EQ(GetScreenWidth(), 1024);
    EXPECT_EQ(GetScreenHeight(), 768);
}

} // namespace
