// The byte-string edit of one list element of EnvOptions.proj.

#include "KOSetupUtils/EnvOptionsSplice.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using kosetup::ElementEndTag;
using kosetup::ElementStartTag;
using kosetup::EnvOptionsTags;
using kosetup::kPropertyGroupEnd;
using kosetup::PropertyGroupStart;
using kosetup::SpliceEnvOptionsEntry;

const std::string kWin32Group = PropertyGroupStart("WIN32");
const std::string kWin64Group = PropertyGroupStart("WIN64");
const std::string kDelphiStart = ElementStartTag("DELPHILIBRARYPATH");
const std::string kDelphiEnd = ElementEndTag("DELPHILIBRARYPATH");
const EnvOptionsTags kWin32Delphi{kWin32Group, kPropertyGroupEnd, kDelphiStart, kDelphiEnd};
const EnvOptionsTags kWin64Delphi{kWin64Group, kPropertyGroupEnd, kDelphiStart, kDelphiEnd};

// A file as the IDE writes it (Windows line ends, a byte-order mark), with the given list in the
// Win32 group's Delphi library path and a Win64 group after it that has the same element.
std::string EnvOptionsWithWin32List(const std::string& list) {
    return "\xEF\xBB\xBF<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n"
           "  <PropertyGroup Condition=\"'$(Platform)'=='Win32'\">\r\n"
           "    <DelphiLibraryPath>" +
           list +
           "</DelphiLibraryPath>\r\n"
           "    <DelphiBrowsingPath>$(BDS)\\source\\rtl</DelphiBrowsingPath>\r\n"
           "  </PropertyGroup>\r\n"
           "  <PropertyGroup Condition=\"'$(Platform)'=='Win64'\">\r\n"
           "    <DelphiLibraryPath>$(BDSLIB)\\$(Platform)\\release;C:\\Vek</DelphiLibraryPath>\r\n"
           "  </PropertyGroup>\r\n"
           "</Project>\r\n";
}

TEST(SpliceEnvOptionsEntry, EditsTheListAsAWholeEntryList) {
    // Columns: the Win32 list before, the entry, uninstall, the list after (nullopt: text unchanged).
    struct Case {
        const char* name;
        std::string before;
        std::string entry;
        bool uninstall;
        std::optional<std::string> after;
    };
    const Case cases[] = {
        {"appended last", "a;b", "C:\\Vek", false, "a;b;C:\\Vek"},
        {"empty list gets a leading separator", "", "C:\\Vek", false, ";C:\\Vek"},
        {"list ending in separator gets none", "a;", "C:\\Vek", false, "a;C:\\Vek"},
        {"trailing backslash of the entry dropped", "a", "C:\\Vek\\", false, "a;C:\\Vek"},
        {"entry of only a backslash", "a", "\\", false, std::nullopt},
        {"empty entry", "a", "", true, std::nullopt},
        {"present in another case", "a;c:\\VEK;b", "C:\\vek", false, std::nullopt},
        {"present with a trailing backslash", "a;C:\\Vek\\;b", "C:\\Vek", false, std::nullopt},
        {"present first", "C:\\Vek;a", "C:\\Vek", false, std::nullopt},
        {"present last", "a;C:\\Vek", "C:\\Vek\\", false, std::nullopt},
        {"longer entry with the same head", "C:\\Vek\\Lib;a", "C:\\Vek", false, "C:\\Vek\\Lib;a;C:\\Vek"},
        {"longer entry with the same tail", "Vcl.Data;b", "Data", false, "Vcl.Data;b;Data"},
        {"longer entry with the same tail, then a backslash", "X:\\Data\\;b", "Data", false,
         "X:\\Data\\;b;Data"},
        {"entry added in its own case", "a", "C:\\VeK", false, "a;C:\\VeK"},
        {"middle removed with the separator before it", "a;C:\\Vek;b", "C:\\Vek", true, "a;b"},
        {"first removed, separator after it kept", "C:\\Vek;a", "C:\\Vek", true, ";a"},
        {"last removed", "a;C:\\Vek", "C:\\Vek", true, "a"},
        {"only entry removed", "C:\\Vek", "C:\\Vek", true, ""},
        {"entry after a leading separator removed", ";C:\\Vek", "C:\\Vek", true, ""},
        {"removed in another case", "a;c:\\vek", "C:\\VEK\\", true, "a"},
        {"trailing backslash removed too", "a;C:\\Vek\\;b", "C:\\Vek", true, "a;b"},
        {"one copy removed per call", "C:\\Vek;a;C:\\Vek", "C:\\Vek", true, ";a;C:\\Vek"},
        {"absent not removed", "a;b", "C:\\Vek", true, std::nullopt},
        {"tail of a longer entry not removed", "Vcl.Data;b", "Data", true, std::nullopt},
        {"head of a longer entry not removed", "C:\\Vek\\Lib;b", "C:\\Vek", true, std::nullopt},
        {"whole entry found after a longer one", "Vcl.Data;Data;b", "Data", true, "Vcl.Data;b"},
        {"whole entry found after a head match", "C:\\VekX;C:\\Vek", "C:\\Vek", true, "C:\\VekX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> edited =
            SpliceEnvOptionsEntry(EnvOptionsWithWin32List(c.before), kWin32Delphi, c.entry, c.uninstall);
        if (!c.after) {
            EXPECT_FALSE(edited.has_value());
            continue;
        }
        ASSERT_TRUE(edited.has_value());
        EXPECT_EQ(*edited, EnvOptionsWithWin32List(*c.after));
    }
}

TEST(SpliceEnvOptionsEntry, FindsOnlyTheNamedGroupAndItsOwnElement) {
    const std::string win64Only = "<Project>\r\n"
                                  "<PropertyGroup Condition=\"'$(Platform)'=='Win32'\">\r\n"
                                  "<DelphiBrowsingPath>x</DelphiBrowsingPath>\r\n"
                                  "</PropertyGroup>\r\n"
                                  "<PropertyGroup Condition=\"'$(Platform)'=='Win64'\">\r\n"
                                  "<DelphiLibraryPath>y</DelphiLibraryPath>\r\n"
                                  "</PropertyGroup>\r\n"
                                  "</Project>\r\n";
    const std::string unclosedInGroup = "<PropertyGroup Condition=\"'$(Platform)'=='Win32'\">"
                                        "<DelphiLibraryPath>a</PropertyGroup>"
                                        "<DelphiLibraryPath>b</DelphiLibraryPath>";
    const std::string otherBlank = "<PropertyGroup Condition=\"'$(Platform)' == 'Win32'\">"
                                   "<DelphiLibraryPath>a</DelphiLibraryPath></PropertyGroup>";
    const std::string otherQuotes = "<PropertyGroup Condition='\"$(Platform)\"==\"Win32\"'>"
                                    "<DelphiLibraryPath>a</DelphiLibraryPath></PropertyGroup>";
    const std::string unclosedGroup = "<PropertyGroup Condition=\"'$(Platform)'=='Win32'\">"
                                      "<DelphiLibraryPath>a</DelphiLibraryPath>";
    const std::string elementBeforeGroup =
        "<DelphiLibraryPath>a</DelphiLibraryPath>"
        "<PropertyGroup Condition=\"'$(Platform)'=='Win32'\"></PropertyGroup>";
    // Columns: what the text holds, the text, the result (nullopt: text unchanged).
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> after;
    };
    const Case cases[] = {
        {"group lacks the element that a later group has", win64Only, std::nullopt},
        {"element closes after its group", unclosedInGroup, std::nullopt},
        {"condition with another blank", otherBlank, std::nullopt},
        {"condition with other quotes", otherQuotes, std::nullopt},
        {"group never closes", unclosedGroup, std::nullopt},
        {"element only before the group", elementBeforeGroup, std::nullopt},
        {"tags in any letter case",
         "<propertygroup condition=\"'$(platform)'=='win32'\"><delphilibrarypath>a</DELPHILibraryPath>"
         "</propertyGroup>",
         "<propertygroup "
         "condition=\"'$(platform)'=='win32'\"><delphilibrarypath>a;C:\\Vek</DELPHILibraryPath>"
         "</propertyGroup>"},
        {"empty text", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> edited =
            SpliceEnvOptionsEntry(c.text, kWin32Delphi, "C:\\Vek", false);
        EXPECT_EQ(edited, c.after);
    }
}

TEST(SpliceEnvOptionsEntry, EditsTheRightGroupAmongSeveral) {
    const std::string text = EnvOptionsWithWin32List("a");
    const std::optional<std::string> added = SpliceEnvOptionsEntry(text, kWin64Delphi, "C:\\Vek\\Lib", false);
    ASSERT_TRUE(added.has_value());
    const std::string win64List = "$(BDSLIB)\\$(Platform)\\release;C:\\Vek";
    std::string expected = text;
    expected.insert(expected.find(win64List) + win64List.size(), ";C:\\Vek\\Lib");
    EXPECT_EQ(*added, expected);

    // The Win64 group holds C:\Vek, the Win32 group does not: removing touches only the Win64 group.
    const std::optional<std::string> removed = SpliceEnvOptionsEntry(text, kWin64Delphi, "C:\\Vek", true);
    ASSERT_TRUE(removed.has_value());
    EXPECT_EQ(*removed, EnvOptionsWithWin32List("a").replace(text.find(win64List), win64List.size(),
                                                             "$(BDSLIB)\\$(Platform)\\release"));
    EXPECT_FALSE(SpliceEnvOptionsEntry(text, kWin32Delphi, "C:\\Vek", true).has_value());
}

TEST(SpliceEnvOptionsEntry, WithoutGroupTakesTheFirstElementOfTheFile) {
    const std::string text = "<Project>\r\n  <DotNetLibraryPath>a</DotNetLibraryPath>\r\n"
                             "  <DotNetLibraryPath>b</DotNetLibraryPath>\r\n</Project>\r\n";
    const EnvOptionsTags tags{"", "", ElementStartTag("DOTNETLIBRARYPATH"),
                              ElementEndTag("DOTNETLIBRARYPATH")};
    EXPECT_EQ(SpliceEnvOptionsEntry(text, tags, "C:\\Vek\\Bin", false),
              "<Project>\r\n  <DotNetLibraryPath>a;C:\\Vek\\Bin</DotNetLibraryPath>\r\n"
              "  <DotNetLibraryPath>b</DotNetLibraryPath>\r\n</Project>\r\n");
}

TEST(SpliceEnvOptionsEntry, KeepsEveryByteOutsideTheEditedSpan) {
    // Windows-1252 and UTF-8 text, a NUL byte and a lone CR around the list; the entry itself holds a
    // non-ASCII byte that upper-casing must not touch.
    const std::string head = std::string("\xEF\xBB\xBF<!-- caf\xE9 \xC3\xA9t\xC3\xA9 ") + '\0' + " -->\r" +
                             "<PropertyGroup Condition=\"'$(Platform)'=='Win32'\">\n<DelphiLibraryPath>";
    const std::string tail = "</DelphiLibraryPath>\n</PropertyGroup>\r\n\xFF\xFE";
    const std::string entry = "D:\\Biblioth\xE8que";
    const std::optional<std::string> added =
        SpliceEnvOptionsEntry(head + "x" + tail, kWin32Delphi, entry, false);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(*added, head + "x;" + entry + tail);

    // Found again in another ASCII case; the non-ASCII byte must match as it is.
    EXPECT_FALSE(SpliceEnvOptionsEntry(*added, kWin32Delphi, "d:\\BIBLIOTH\xE8QUE", false).has_value());
    EXPECT_TRUE(SpliceEnvOptionsEntry(*added, kWin32Delphi, "D:\\Biblioth\xC8que", false).has_value());

    const std::optional<std::string> removed = SpliceEnvOptionsEntry(*added, kWin32Delphi, entry, true);
    EXPECT_EQ(removed, head + "x" + tail);
}

TEST(SpliceEnvOptionsEntry, InstallThenUninstallLeavesTheSameEntries) {
    // Columns: the list before; install of C:\Vek\Bin then C:\Vek\Lib, then both removed again.
    struct Case {
        const char* name;
        std::string list;
        std::string restored;
    };
    const Case cases[] = {
        {"plain list", "a;b", "a;b"},
        {"empty list", "", ""},
        {"list ending in separator", "a;", "a"},
        {"list holding one of the entries", "C:\\Vek\\Lib;a", ";a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = EnvOptionsWithWin32List(c.list);
        for (const bool uninstall : {false, true}) {
            for (const char* entry : {"C:\\Vek\\Bin", "C:\\Vek\\Lib"}) {
                if (auto edited = SpliceEnvOptionsEntry(text, kWin32Delphi, entry, uninstall))
                    text = *edited;
                // A second identical call finds nothing to do.
                EXPECT_FALSE(SpliceEnvOptionsEntry(text, kWin32Delphi, entry, uninstall).has_value());
            }
        }
        EXPECT_EQ(text, EnvOptionsWithWin32List(c.restored));
    }
}

TEST(PropertyGroupStart, IsTheConditionAsTheIdeWritesItInUpperCase) {
    EXPECT_EQ(PropertyGroupStart("IOSDEVICE64"),
              "<PROPERTYGROUP CONDITION=\"'$(PLATFORM)'=='IOSDEVICE64'\">");
    EXPECT_EQ(ElementStartTag("CBUILDERINCLUDEPATH"), "<CBUILDERINCLUDEPATH>");
    EXPECT_EQ(ElementEndTag("CBUILDERINCLUDEPATH"), "</CBUILDERINCLUDEPATH>");
}

} // namespace
