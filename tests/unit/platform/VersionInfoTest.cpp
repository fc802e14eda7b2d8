// Our own reader of PE version resources: the product version of VS_FIXEDFILEINFO, for 32- and
// 64-bit images, the choice among languages, and no crash and no version for malformed input.

#include "platform/VersionInfo.h"

#include "PeVersionReader.h"
#include "VersionInfoPeBuilder.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>

namespace {

using platform::ProductVersion;
using platform::posix::ReadPeProductVersion;
using veksetup::testing::BuildPe;
using veksetup::testing::PeLayout;
using veksetup::testing::VersionBlock;

std::optional<std::pair<std::uint32_t, std::uint32_t>> Read(const std::vector<std::uint8_t>& image) {
    const auto version = ReadPeProductVersion(image);
    if (!version)
        return std::nullopt;
    return std::make_pair(version->ms, version->ls);
}

VersionBlock Block(std::uint16_t language, std::uint32_t productMs, std::uint32_t productLs) {
    VersionBlock block;
    block.language = language;
    block.productMs = productMs;
    block.productLs = productLs;
    return block;
}

TEST(VersionInfoTest, TheProductVersionIsReadNotTheFileVersion) {
    for (const bool pe32Plus : {false, true}) {
        SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
        PeLayout layout;
        layout.pe32Plus = pe32Plus;
        layout.versions[0].productMs = 0x0005000a; // 5.10
        layout.versions[0].productLs = 0x00000007; // 0.7
        layout.versions[0].fileMs = 0x0005000a;
        layout.versions[0].fileLs = 0x00000008;
        EXPECT_EQ(Read(BuildPe(layout)), std::make_pair(0x0005000au, 0x00000007u));
        layout.versions[0].productMs = 0xffffffff; // every part keeps its 16 bits
        layout.versions[0].productLs = 0xffff0000;
        EXPECT_EQ(Read(BuildPe(layout)), std::make_pair(0xffffffffu, 0xffff0000u));
    }
}

TEST(VersionInfoTest, LanguagesAreChosenAsWineChoosesThem) {
    struct Case {
        std::vector<VersionBlock> versions; // sorted by language, as resource compilers write them
        std::uint32_t expectedMs;
    };
    // Measured with GetFileVersionInfoA and VerQueryValueA under Wine 8 on images of this builder.
    const Case cases[] = {
        {{Block(0x0407, 1, 0), Block(0x0409, 2, 0)}, 2},
        {{Block(0x0000, 1, 0), Block(0x0409, 2, 0)}, 1},
        {{Block(0x0000, 1, 0), Block(0x0009, 2, 0), Block(0x0409, 3, 0)}, 1},
        {{Block(0x0009, 1, 0), Block(0x0409, 2, 0)}, 2},
        {{Block(0x0009, 1, 0), Block(0x0407, 2, 0)}, 1},
        {{Block(0x0407, 1, 0), Block(0x040c, 2, 0)}, 1},
        {{Block(0x0407, 1, 0), Block(0x0809, 2, 0)}, 1},
        {{Block(0x0007, 1, 0), Block(0x0809, 2, 0)}, 1},
        {{Block(0x0000, 7, 0)}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedMs);
        PeLayout layout;
        layout.versions = c.versions;
        ASSERT_TRUE(Read(BuildPe(layout)).has_value());
        EXPECT_EQ(Read(BuildPe(layout))->first, c.expectedMs);
    }
}

TEST(VersionInfoTest, NamedEntriesArePassedOver) {
    PeLayout layout;
    layout.namedEntryFirst = true;
    layout.versions[0].productMs = 0x00030004;
    EXPECT_EQ(Read(BuildPe(layout)), std::make_pair(0x00030004u, 0u));
}

TEST(VersionInfoTest, ImagesWithoutAUsableVersionRecordGiveNothing) {
    struct Case {
        const char* what;
        void (*change)(PeLayout&, std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        {"no MZ", [](PeLayout&, std::vector<std::uint8_t>& image) { image[0] = 'X'; }},
        {"no PE signature", [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x41] = 'X'; }},
        {"PE header beyond the end", [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x3f] = 0x7f; }},
        {"unknown optional header", [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x58] = 0x07; }},
        {"no resource directory",
         [](PeLayout&, std::vector<std::uint8_t>& image) {
             for (std::size_t i = 0; i < 8; ++i)
                 image[0x58 + 96 + 16 + i] = 0;
         }},
        {"too few data directories",
         [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x58 + 92] = 2; }},
        {"resource outside every section",
         [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x58 + 96 + 17] = 0x70; }},
        {"a section table beyond the end",
         [](PeLayout&, std::vector<std::uint8_t>& image) { image[0x46] = 0xff; }},
        {"an empty file", [](PeLayout&, std::vector<std::uint8_t>& image) { image.clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PeLayout layout;
        layout.versions[0].productMs = 1;
        std::vector<std::uint8_t> image = BuildPe(layout);
        ASSERT_TRUE(Read(image).has_value());
        c.change(layout, image);
        EXPECT_FALSE(Read(image).has_value());
    }
}

TEST(VersionInfoTest, ResourceTreesWithoutAVersionRecordGiveNothing) {
    struct Case {
        const char* what;
        PeLayout layout;
    };
    PeLayout icons, otherName, badSignature, shortValue, noLanguages;
    icons.typeId = 3;
    otherName.nameId = 2;
    badSignature.versions[0].signature = 0xfeef04bc;
    shortValue.versions[0].valueLength = 51;
    noLanguages.versions.clear();
    const Case cases[] = {
        {"only icons", icons},
        {"version resource 2", otherName},
        {"a wrong signature", badSignature},
        {"a value too short for the record", shortValue},
        {"no language", noLanguages},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Read(BuildPe(c.layout)).has_value());
    }
}

TEST(VersionInfoTest, ImagesCutShortNeverReadPastTheirEnd) {
    PeLayout layout;
    layout.versions[0].productMs = 0x00010002;
    layout.versions[0].productLs = 0x00030004;
    const std::vector<std::uint8_t> image = BuildPe(layout);
    const std::size_t needed = veksetup::testing::ProductVersionOffset(layout, 0) + 8;
    for (std::size_t length = 0; length < image.size(); ++length) {
        // A copy of exactly that length, so that the sanitizer sees any read past it.
        const std::vector<std::uint8_t> cut(image.begin(),
                                            image.begin() + static_cast<std::ptrdiff_t>(length));
        const auto version = Read(cut);
        if (length < needed) {
            EXPECT_FALSE(version.has_value()) << "length " << length;
        } else if (version) {
            EXPECT_EQ(*version, std::make_pair(0x00010002u, 0x00030004u)) << "length " << length;
        }
    }
}

TEST(VersionInfoTest, FilesAreFoundThroughThePrefix) {
    const veksetup::testing::TempPrefix prefix;
    PeLayout layout;
    layout.versions[0].productMs = 0x0005000a;
    layout.versions[0].productLs = 0x00000007;
    const std::vector<std::uint8_t> image = BuildPe(layout);
    prefix.WriteFile("C:\\Vek\\Bin\\A.B.dll", std::string(image.begin(), image.end()));
    prefix.WriteFile("C:\\Vek\\Bin\\text.dll", "not a PE file");

    const auto version = platform::ReadProductVersion("c:\\vek\\bin\\a.b.DLL");
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->ms, 0x0005000au);
    EXPECT_EQ(version->ls, 0x00000007u);
    for (const char* path :
         {"C:\\Vek\\Bin\\missing.dll", "C:\\Vek\\Bin\\text.dll", "C:\\Vek\\Bin", "C:\\Vek\\Bin\\A.B.dll\\"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(platform::ReadProductVersion(path).has_value());
    }
}

} // namespace
