// The text rules of Windows paths: how a path is made absolute and normal before any file is
// looked at, and which names Windows refuses.

#include "WindowsPathSyntax.h"

#include <gtest/gtest.h>

namespace {

using platform::posix::AbsoluteWindowsPath;
using platform::posix::HasInvalidNameCharacter;
using platform::posix::MakeAbsolute;

const AbsoluteWindowsPath kCurrent{'Z', {"tmp", "work"}, false};

TEST(FilesPathSyntaxTest, PathsAreMadeAbsoluteAsWineDoes) {
    struct Case {
        const char* path;
        const char* expected; // ToString() of the result
        bool trailingSeparator;
    };
    // Measured or documented behaviour of Windows path normalisation (current folder Z:\tmp\work).
    const Case cases[] = {
        {"C:\\h2t\\rw.txt", "C:\\h2t\\rw.txt", false},
        {"c:/h2t/sub/inner.txt", "C:\\h2t\\sub\\inner.txt", false},
        {"C:\\h2t\\..\\..\\..\\h2t\\rw.txt", "C:\\h2t\\rw.txt", false}, // ".." stops at the root
        {"C:\\h2t\\.\\Sub\\..\\rw.txt", "C:\\h2t\\rw.txt", false},
        {"C:\\h2t\\\\rw.txt", "C:\\h2t\\rw.txt", false},
        {"C:\\h2t.\\rw.txt. .", "C:\\h2t\\rw.txt", false}, // trailing dots and blanks go
        {"C:\\h2t\\rw.txt ", "C:\\h2t\\rw.txt", false},
        {"C:\\h2t\\Sub\\", "C:\\h2t\\Sub", true},
        {"C:\\", "C:\\", true},
        {"C:\\..", "C:\\", false},
        {"C:", "C:\\", false},          // another drive's folder is its root
        {"Z:", "Z:\\tmp\\work", false}, // the current drive's folder is the current one
        {"Z:file", "Z:\\tmp\\work\\file", false},
        {"\\rooted\\x", "Z:\\rooted\\x", false}, // rooted: on the current drive
        {"name.txt", "Z:\\tmp\\work\\name.txt", false},
        {"..\\..\\..\\up", "Z:\\up", false},
        {"\\\\?\\C:\\long\\path", "C:\\long\\path", false},
        {"C:\\a\\...\\b", "C:\\a\\b", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const auto result = MakeAbsolute(c.path, kCurrent);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->ToString(), c.expected);
        EXPECT_EQ(result->trailingSeparator, c.trailingSeparator);
    }
}

TEST(FilesPathSyntaxTest, PathsWithoutAPlaceInThePrefixAreRefused) {
    for (const char* path : {"", "\\\\server\\share\\file", "//server/share", "\\\\.\\COM1"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(MakeAbsolute(path, kCurrent).has_value());
    }
}

TEST(FilesPathSyntaxTest, OnlyADrivesRootStartsAFullyQualifiedPath) {
    struct Case {
        const char* path;
        bool fullyQualified;
    };
    const Case cases[] = {
        {"C:\\a", true}, {"c:/a", true},
        {"C:\\", true},  {"\\\\?\\C:\\a", true},
        {"C:a", false},  {"C:", false},
        {"\\a", false},  {"a\\b", false},
        {"", false},     {"\\\\server\\share", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(platform::posix::IsFullyQualified(c.path), c.fullyQualified);
    }
}

TEST(FilesPathSyntaxTest, NamesWithCharactersWindowsRefusesAreInvalid) {
    struct Case {
        const char* name;
        bool invalidAsName;
        bool invalidAsPattern;
    };
    // Measured under Wine: CreateFileA fails with ERROR_INVALID_NAME for these; ":" is accepted.
    const Case cases[] = {
        {"plain.txt", false, false},
        {"a<b.txt", true, true},
        {"a>b.txt", true, true},
        {"a|b.txt", true, true},
        {"a\"b.txt", true, true},
        {"a\x01"
         "b.txt",
         true, true},
        {"a\x1f", true, true},
        {"r*.txt", true, false},
        {"r?.txt", true, false},
        {"a:b.txt", false, false},
        {"caf\xe9.txt", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HasInvalidNameCharacter(c.name, false), c.invalidAsName);
        EXPECT_EQ(HasInvalidNameCharacter(c.name, true), c.invalidAsPattern);
    }
}

} // namespace
