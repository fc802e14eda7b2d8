// Finding Windows paths in a prefix: the drive links, Wine's case-insensitive lookup, the error
// codes, and the way back from a unix path to the Windows path Wine shows.

#include "DriveTable.h"
#include "PathResolver.h"
#include "PosixErrors.h"
#include "platform/Win32Constants.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace platform;
using namespace platform::posix;

class FilesResolverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "veksetup-drives-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        prefix_ = pattern;
        std::filesystem::create_directories(prefix_ / "dosdevices");
        std::filesystem::create_directories(prefix_ / "drive_c" / "Program Files" / "Tool");
        std::filesystem::create_directories(prefix_ / "data");
        std::filesystem::create_directory_symlink("../drive_c", prefix_ / "dosdevices" / "c:");
        std::filesystem::create_directory_symlink("../data", prefix_ / "dosdevices" / "d:");
        std::filesystem::create_directory_symlink("/", prefix_ / "dosdevices" / "z:");
        Write(prefix_ / "drive_c" / "Program Files" / "Tool" / "MixedCase.TXT");
        Write(prefix_ / "drive_c" / "caf\xc3\xa9.txt");
        Write(prefix_ / "drive_c" / "file.txt");
    }
    void TearDown() override { std::filesystem::remove_all(prefix_); }

    static void Write(const std::filesystem::path& path) { std::ofstream(path) << "x"; }
    std::filesystem::path Drive(const char* folder) const { return prefix_ / "dosdevices" / folder; }

    std::filesystem::path prefix_;
};

TEST_F(FilesResolverTest, ComponentsAreFoundWithoutRegardToCase) {
    struct Case {
        const char* path;
        const char* unixRelativeToC; // the path found, below drive_c
        bool exists;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Tool\\MixedCase.TXT", "Program Files/Tool/MixedCase.TXT", true},
        {"c:\\PROGRAM FILES\\tool\\mixedcase.txt", "Program Files/Tool/MixedCase.TXT", true},
        {"C:/program files/TOOL/MIXEDCASE.txt", "Program Files/Tool/MixedCase.TXT", true},
        {"C:\\CAF\xc9.TXT", "caf\xc3\xa9.txt", true}, // non-ASCII letters fold too
        {"C:\\Program Files\\Tool\\New.txt", "Program Files/Tool/New.txt", false},
        {"C:\\..\\..\\file.txt", "file.txt", true}, // never above the drive's root
    };
    const DriveTable drives(prefix_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ResolvedPath resolved;
        ASSERT_EQ(ResolvePath(drives, c.path, LastComponent::Name, resolved), kErrorSuccess);
        EXPECT_EQ(resolved.UnixPath(), Drive("c:") / c.unixRelativeToC);
        EXPECT_EQ(resolved.exists, c.exists);
        EXPECT_FALSE(resolved.isDirectory);
    }
}

TEST_F(FilesResolverTest, FailuresCarryTheCodesWineGives) {
    struct Case {
        const char* path;
        long error;
    };
    const Case cases[] = {
        {"C:\\NoFolder\\file.txt", kErrorPathNotFound},
        {"C:\\file.txt\\inner.txt", kErrorPathNotFound}, // a file is no folder
        {"Q:\\file.txt", kErrorFileNotFound},            // a drive the prefix lacks
        {"", kErrorPathNotFound},
        {"\\\\server\\share\\file.txt", kErrorPathNotFound},
        {"C:\\a<b.txt", kErrorInvalidName},
        {"C:\\fi*le.txt", kErrorInvalidName},
    };
    const DriveTable drives(prefix_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ResolvedPath resolved;
        EXPECT_EQ(ResolvePath(drives, c.path, LastComponent::Name, resolved), c.error);
    }
}

TEST_F(FilesResolverTest, APatternIsLeftToTheCallerAndTheTextEndsAtNul) {
    const DriveTable drives(prefix_);
    ResolvedPath resolved;
    ASSERT_EQ(ResolvePath(drives, "c:\\program files\\tool\\*.txt", LastComponent::Pattern, resolved),
              kErrorSuccess);
    EXPECT_EQ(resolved.folder, Drive("c:") / "Program Files" / "Tool");
    EXPECT_EQ(resolved.lastName, "*.txt");

    ASSERT_EQ(ResolvePath(drives, std::string("C:\\file.txt\0ignored", 19), LastComponent::Name, resolved),
              kErrorSuccess);
    EXPECT_TRUE(resolved.exists);
    EXPECT_EQ(resolved.lastName, "file.txt");
}

TEST_F(FilesResolverTest, TheDriveRootIsAnExistingFolder) {
    const DriveTable drives(prefix_);
    ResolvedPath resolved;
    ASSERT_EQ(ResolvePath(drives, "d:\\", LastComponent::Name, resolved), kErrorSuccess);
    EXPECT_TRUE(resolved.exists);
    EXPECT_TRUE(resolved.isDirectory);
    EXPECT_EQ(resolved.UnixPath(), Drive("d:"));
}

TEST_F(FilesResolverTest, UnixPathsMapToTheDeepestDrive) {
    const DriveTable drives(prefix_);
    struct Case {
        std::filesystem::path unixPath;
        const char* windows;
    };
    const Case cases[] = {
        {prefix_ / "drive_c" / "Program Files" / "Tool" / "MixedCase.TXT",
         "C:\\Program Files\\Tool\\MixedCase.TXT"},
        {prefix_ / "drive_c" / "caf\xc3\xa9.txt", "C:\\caf\xe9.txt"},
        {prefix_ / "data", "D:\\"},
        {"/usr/bin/env", "Z:\\usr\\bin\\env"},
        {"/", "Z:\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unixPath.string());
        const auto windows = drives.ToWindows(c.unixPath);
        ASSERT_TRUE(windows.has_value());
        EXPECT_EQ(windows->ToString(), c.windows);
    }
}

TEST_F(FilesResolverTest, RelativePathsStartAtTheProcesssFolder) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(prefix_ / "drive_c" / "Program Files");
    const DriveTable drives(prefix_);
    ResolvedPath relative, rooted;
    const long relativeStatus = ResolvePath(drives, "tool\\mixedcase.txt", LastComponent::Name, relative);
    const long rootedStatus = ResolvePath(drives, "\\file.txt", LastComponent::Name, rooted);
    const std::string current = drives.CurrentDirectory().ToString();
    std::filesystem::current_path(previous);

    EXPECT_EQ(current, "C:\\Program Files");
    ASSERT_EQ(relativeStatus, kErrorSuccess);
    EXPECT_TRUE(relative.exists);
    EXPECT_EQ(relative.lastName, "MixedCase.TXT");
    ASSERT_EQ(rootedStatus, kErrorSuccess);
    EXPECT_EQ(rooted.UnixPath(), Drive("c:") / "file.txt");
}

} // namespace
