// The file calls of the posix backend over a temporary prefix: Windows' error codes as Wine gives
// them, sharing, attributes, FindFirstFileA's view, copies, and the atomic replacement of a written
// file when its handle is closed.

#include "platform/Files.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

using namespace platform;
using veksetup::testing::TempPrefix;

constexpr long kErrorInvalidName = 123;
constexpr std::uint32_t kHidden = 0x02;

class FilesApiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previousMask_ = ::umask(022);
        Write("C:\\t\\rw.txt", "read-write", 0644);
        Write("C:\\t\\ro.txt", "read-only", 0444);
        Write("C:\\t\\ow.txt", "others write", 0466);
        Write("C:\\t\\.hidden", "dot file", 0644);
        Write("C:\\t\\Sub\\inner.txt", "inner", 0644);
    }
    void TearDown() override { ::umask(previousMask_); }

    void Write(const std::string& path, const std::string& bytes, mode_t mode) {
        prefix.WriteFile(path, bytes);
        std::filesystem::permissions(prefix.HostPath(path), static_cast<std::filesystem::perms>(mode));
    }
    mode_t Mode(const std::string& path) const {
        struct stat info {};
        EXPECT_EQ(::stat(prefix.HostPath(path).c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }
    struct stat Stat(const std::string& path) const {
        struct stat info {};
        EXPECT_EQ(::stat(prefix.HostPath(path).c_str(), &info), 0) << path;
        return info;
    }
    std::vector<std::string> FolderNames(const std::string& path) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(prefix.HostPath(path)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string ReadAll(const std::string& path) {
        FileHandle file;
        EXPECT_EQ(OpenFile(path, FileAccess::Read, FileShare::Read, FileCreation::OpenExisting, file),
                  kErrorSuccess);
        std::string bytes;
        EXPECT_EQ(ReadToEnd(file, bytes), kErrorSuccess);
        return bytes;
    }

    TempPrefix prefix;
    mode_t previousMask_ = 022;
};

TEST_F(FilesApiTest, OpenFailsWithTheCodesWindowsGives) {
    struct Case {
        const char* path;
        FileAccess access;
        FileCreation creation;
        long error;
    };
    const Case cases[] = {
        {"C:\\t\\missing.txt", FileAccess::Read, FileCreation::OpenExisting, kErrorFileNotFound},
        {"C:\\t\\nodir\\missing.txt", FileAccess::Read, FileCreation::OpenExisting, kErrorPathNotFound},
        {"C:\\t\\nodir\\new.txt", FileAccess::ReadWrite, FileCreation::CreateAlways, kErrorPathNotFound},
        {"C:\\t\\Sub", FileAccess::Read, FileCreation::OpenExisting, kErrorAccessDenied},
        {"C:\\t\\Sub\\", FileAccess::Read, FileCreation::OpenExisting, kErrorAccessDenied},
        {"C:\\t\\Sub", FileAccess::ReadWrite, FileCreation::CreateAlways, kErrorAccessDenied},
        {"C:\\t\\rw.txt\\", FileAccess::Read, FileCreation::OpenExisting, kErrorInvalidName},
        {"C:\\t\\new\\", FileAccess::ReadWrite, FileCreation::CreateAlways, kErrorInvalidName},
        {"C:\\t\\r*.txt", FileAccess::Read, FileCreation::OpenExisting, kErrorInvalidName},
        // A read-only file cannot be written, whoever runs the program (as on Windows).
        {"C:\\t\\ro.txt", FileAccess::ReadWrite, FileCreation::OpenExisting, kErrorAccessDenied},
        {"C:\\t\\ro.txt", FileAccess::ReadWrite, FileCreation::CreateAlways, kErrorAccessDenied},
        {"Q:\\x.txt", FileAccess::Read, FileCreation::OpenExisting, kErrorFileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        FileHandle file;
        EXPECT_EQ(OpenFile(c.path, c.access, FileShare::None, c.creation, file), c.error);
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(prefix.ReadFile("C:\\t\\ro.txt"), "read-only");
    EXPECT_EQ(Mode("C:\\t\\ro.txt"), 0444u);
}

TEST_F(FilesApiTest, AWrittenFileIsReplacedWhenItsHandleCloses) {
    Write("C:\\t\\keep.txt", "old content", 0640);
    const ino_t before = Stat("C:\\t\\keep.txt").st_ino;
    FileHandle file;
    ASSERT_EQ(
        OpenFile("c:\\T\\KEEP.TXT", FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting, file),
        kErrorSuccess);
    std::string bytes;
    ASSERT_EQ(ReadToEnd(file, bytes), kErrorSuccess);
    EXPECT_EQ(bytes, "old content");
    ASSERT_EQ(SeekToStart(file), kErrorSuccess);
    ASSERT_EQ(TruncateAtPosition(file), kErrorSuccess);
    ASSERT_EQ(WriteBytes(file, "new"), kErrorSuccess);
    // Until the handle closes, the file on disk is the old one: a run that dies here loses nothing.
    EXPECT_EQ(prefix.ReadFile("C:\\t\\keep.txt"), "old content");

    ASSERT_EQ(CloseFile(file), kErrorSuccess);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(prefix.ReadFile("C:\\t\\keep.txt"), "new");
    EXPECT_NE(Stat("C:\\t\\keep.txt").st_ino, before);
    EXPECT_EQ(Mode("C:\\t\\keep.txt"), 0640u);
    EXPECT_EQ(FolderNames("C:\\t"),
              (std::vector<std::string>{".hidden", "Sub", "keep.txt", "ow.txt", "ro.txt", "rw.txt"}));
}

TEST_F(FilesApiTest, AHandleLeftToItsDestructorStillCommits) {
    {
        FileHandle file;
        ASSERT_EQ(OpenFile("C:\\t\\created.txt", FileAccess::ReadWrite, FileShare::None,
                           FileCreation::CreateAlways, file),
                  kErrorSuccess);
        ASSERT_EQ(WriteBytes(file, "line\r\n"), kErrorSuccess);
        EXPECT_FALSE(prefix.FileExists("C:\\t\\created.txt"));
    }
    EXPECT_EQ(prefix.ReadFile("C:\\t\\created.txt"), "line\r\n");
    EXPECT_EQ(Mode("C:\\t\\created.txt"), 0644u);
}

TEST_F(FilesApiTest, CreateAlwaysEmptiesAnExistingFileEvenWithoutWrites) {
    FileHandle file;
    ASSERT_EQ(
        OpenFile("C:\\t\\rw.txt", FileAccess::ReadWrite, FileShare::None, FileCreation::CreateAlways, file),
        kErrorSuccess);
    ASSERT_EQ(CloseFile(file), kErrorSuccess);
    EXPECT_EQ(prefix.ReadFile("C:\\t\\rw.txt"), "");
    EXPECT_EQ(Mode("C:\\t\\rw.txt"), 0644u);
}

TEST_F(FilesApiTest, AFileOpenedForWritingButUnchangedIsNotRewritten) {
    const struct stat before = Stat("C:\\t\\rw.txt");
    FileHandle file;
    ASSERT_EQ(
        OpenFile("C:\\t\\rw.txt", FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting, file),
        kErrorSuccess);
    std::string bytes;
    ASSERT_EQ(ReadToEnd(file, bytes), kErrorSuccess);
    ASSERT_EQ(CloseFile(file), kErrorSuccess);
    const struct stat after = Stat("C:\\t\\rw.txt");
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(FolderNames("C:\\t").size(), 5u);
}

TEST_F(FilesApiTest, AReadHandleCannotWrite) {
    FileHandle file;
    ASSERT_EQ(OpenFile("C:\\t\\rw.txt", FileAccess::Read, FileShare::Read, FileCreation::OpenExisting, file),
              kErrorSuccess);
    EXPECT_EQ(WriteBytes(file, "x"), kErrorAccessDenied);
    EXPECT_EQ(TruncateAtPosition(file), kErrorAccessDenied);
    EXPECT_EQ(CloseFile(file), kErrorSuccess);
    EXPECT_EQ(CloseFile(file), kErrorSuccess); // closing a closed handle succeeds
    std::string bytes;
    EXPECT_EQ(ReadToEnd(file, bytes), kErrorInvalidHandle);
    EXPECT_EQ(prefix.ReadFile("C:\\t\\rw.txt"), "read-write");
}

TEST_F(FilesApiTest, SharingModesRefuseConflictingOpens) {
    struct Open {
        FileAccess access;
        FileShare share;
    };
    struct Case {
        Open first;
        Open second;
        long error;
    };
    // Measured under Wine with two handles in one process.
    const Case cases[] = {
        {{FileAccess::ReadWrite, FileShare::None},
         {FileAccess::Read, FileShare::Read},
         kErrorSharingViolation},
        {{FileAccess::Read, FileShare::Read}, {FileAccess::Read, FileShare::Read}, kErrorSuccess},
        {{FileAccess::Read, FileShare::Read},
         {FileAccess::ReadWrite, FileShare::None},
         kErrorSharingViolation},
        {{FileAccess::Read, FileShare::Read},
         {FileAccess::ReadWrite, FileShare::Read},
         kErrorSharingViolation},
        {{FileAccess::Read, FileShare::None}, {FileAccess::Read, FileShare::Read}, kErrorSharingViolation},
        {{FileAccess::Read, FileShare::Read}, {FileAccess::Read, FileShare::None}, kErrorSharingViolation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        FileHandle first, second;
        ASSERT_EQ(OpenFile("C:\\t\\rw.txt", c.first.access, c.first.share, FileCreation::OpenExisting, first),
                  kErrorSuccess);
        EXPECT_EQ(
            OpenFile("c:\\t\\RW.txt", c.second.access, c.second.share, FileCreation::OpenExisting, second),
            c.error);
    }
    // Once the handles are gone, the file opens again.
    FileHandle again;
    EXPECT_EQ(
        OpenFile("C:\\t\\rw.txt", FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting, again),
        kErrorSuccess);
}

TEST_F(FilesApiTest, AttributesAreDerivedAsWineDerivesThem) {
    struct Case {
        const char* path;
        std::uint32_t attributes;
    };
    // Measured under Wine: read-only only when nobody may write; dot files are hidden.
    const Case cases[] = {
        {"C:\\t\\rw.txt", kFileAttributeArchive},
        {"C:\\T\\RO.TXT", kFileAttributeArchive | kFileAttributeReadOnly},
        {"C:\\t\\ow.txt", kFileAttributeArchive},
        {"C:\\t\\.hidden", kFileAttributeArchive | kHidden},
        {"C:\\t\\Sub", kFileAttributeDirectory},
        {"C:\\t\\Sub\\", kFileAttributeDirectory},
        {"C:\\", kFileAttributeDirectory},
        {"C:\\t\\rw.txt.", kFileAttributeArchive},
        {"C:\\t\\rw.txt\\", kInvalidFileAttributes},
        {"C:\\t\\missing", kInvalidFileAttributes},
        {"C:\\t\\nodir\\missing", kInvalidFileAttributes},
        {"C:\\t\\r*.txt", kInvalidFileAttributes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetFileAttributesOf(c.path), c.attributes);
    }
}

TEST_F(FilesApiTest, SettingAttributesChangesPermissionsAsWineDoes) {
    struct Case {
        mode_t before;
        std::uint32_t attributes;
        mode_t after;
    };
    // With umask 022: read-only takes every write bit; clearing it gives the owner write and read
    // back, and write to group and others only where they may read and the umask allows.
    const Case cases[] = {
        {0644, kFileAttributeReadOnly, 0444}, {0444, kFileAttributeNormal, 0644},
        {0466, kFileAttributeNormal, 0666},   {0400, kFileAttributeArchive, 0600},
        {0444, kFileAttributeReadOnly, 0444}, {0755, kFileAttributeReadOnly, 0555},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.before << " -> " << c.after);
        Write("C:\\t\\mode.txt", "x", c.before);
        EXPECT_TRUE(SetFileAttributesOf("c:\\t\\MODE.txt", c.attributes));
        EXPECT_EQ(Mode("C:\\t\\mode.txt"), c.after);
    }
    EXPECT_TRUE(SetFileAttributesOf("C:\\t\\Sub", kFileAttributeReadOnly));
    EXPECT_EQ(Mode("C:\\t\\Sub") & 0200, 0200u); // folders keep their permissions
    EXPECT_FALSE(SetFileAttributesOf("C:\\t\\missing.txt", kFileAttributeNormal));
}

TEST_F(FilesApiTest, HiddenIsKeptInTheExtendedAttributeWineUses) {
    if (::setxattr(prefix.HostPath("C:\\t\\rw.txt").c_str(), "user.probe", "1", 1, 0) != 0)
        GTEST_SKIP() << "the temporary folder's file system keeps no user extended attributes";
    ASSERT_TRUE(SetFileAttributesOf("C:\\t\\ow.txt", kHidden));
    EXPECT_EQ(GetFileAttributesOf("C:\\t\\ow.txt"), kFileAttributeArchive | kHidden);
    char value[16] = {};
    ASSERT_EQ(::getxattr(prefix.HostPath("C:\\t\\ow.txt").c_str(), "user.DOSATTRIB", value, sizeof value - 1),
              3);
    EXPECT_STREQ(value, "0x2");
    ASSERT_TRUE(SetFileAttributesOf("C:\\t\\ow.txt", kFileAttributeNormal));
    EXPECT_EQ(GetFileAttributesOf("C:\\t\\ow.txt"), kFileAttributeArchive);
}

TEST_F(FilesApiTest, FileExistsSeesWhatFindFirstFileFinds) {
    struct Case {
        const char* path;
        bool exists;
    };
    const Case cases[] = {
        {"C:\\t\\rw.txt", true},
        {"c:\\T\\RW.TXT", true},
        {"C:\\t\\rw.txt.", true},
        {"C:\\t\\Sub", false}, // a folder is no file
        {"C:\\t\\Sub\\", false},
        {"C:\\t\\rw.txt\\", false}, // nor is anything named with a trailing separator
        {"C:\\t\\missing.txt", false},
        {"C:\\t\\nodir\\x.txt", false},
        {"C:\\t\\r?.txt", true}, // wildcards: the first match decides
        {"C:\\t\\S*", false},    // ... and the first match is the folder
        {"C:\\t\\*", false},     // ... or "."
        {"C:\\t\\*.none", false},
        {"C:\\", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileExists(c.path), c.exists);
    }
}

TEST_F(FilesApiTest, CopyFileReplacesOnlyWhatItMay) {
    struct Case {
        const char* source;
        const char* target;
        bool failIfExists;
        bool copied;
    };
    Write("C:\\t\\existing.txt", "existing", 0644);
    const Case cases[] = {
        {"C:\\t\\rw.txt", "C:\\t\\copy.txt", false, true},
        {"C:\\t\\rw.txt", "C:\\t\\existing.txt", true, false}, // ERROR_FILE_EXISTS
        {"C:\\t\\missing.txt", "C:\\t\\copy2.txt", false, false},
        {"C:\\t\\rw.txt", "C:\\t\\nodir\\copy.txt", false, false},
        {"C:\\t\\Sub", "C:\\t\\copy3", false, false},
        {"C:\\t\\rw.txt", "C:\\t\\Sub", false, false},
        {"C:\\t\\rw.txt", "C:\\T\\RW.TXT", false, false}, // the source is open: sharing violation
        {"C:\\t\\rw.txt", "C:\\t\\ro.txt", false, false}, // a read-only target stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.target);
        EXPECT_EQ(CopyFileOver(c.source, c.target, c.failIfExists), c.copied);
    }
    EXPECT_EQ(prefix.ReadFile("C:\\t\\copy.txt"), "read-write");
    EXPECT_EQ(prefix.ReadFile("C:\\t\\existing.txt"), "existing");
    EXPECT_EQ(prefix.ReadFile("C:\\t\\rw.txt"), "read-write");
    EXPECT_EQ(prefix.ReadFile("C:\\t\\ro.txt"), "read-only");
    EXPECT_FALSE(prefix.FileExists("C:\\t\\copy2.txt"));

    EXPECT_TRUE(CopyFileOver("C:\\t\\rw.txt", "C:\\t\\existing.txt", false));
    EXPECT_EQ(prefix.ReadFile("C:\\t\\existing.txt"), "read-write");
}

TEST_F(FilesApiTest, ACopyKeepsTheSourcesReadOnlyStateAndTime) {
    ASSERT_TRUE(CopyFileOver("C:\\t\\ro.txt", "C:\\t\\copy.txt", false));
    EXPECT_EQ(prefix.ReadFile("C:\\t\\copy.txt"), "read-only");
    EXPECT_EQ(GetFileAttributesOf("C:\\t\\copy.txt"), kFileAttributeArchive | kFileAttributeReadOnly);
    const struct stat source = Stat("C:\\t\\ro.txt");
    const struct stat copy = Stat("C:\\t\\copy.txt");
    EXPECT_EQ(copy.st_mtim.tv_sec, source.st_mtim.tv_sec);
    EXPECT_EQ(copy.st_mtim.tv_nsec, source.st_mtim.tv_nsec);
}

} // namespace
