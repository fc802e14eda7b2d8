#pragma once
// Builds small PE images with a version resource, for the tests of our own PE reader: the headers
// of a 32- or 64-bit image, one ".rsrc" section, the resource tree type / name / language, and a
// VS_VERSIONINFO block per language.

#include <cstdint>
#include <string>
#include <vector>

namespace veksetup::testing {

struct VersionBlock {
    std::uint16_t language = 0x0409;
    std::uint32_t productMs = 0;
    std::uint32_t productLs = 0;
    std::uint32_t fileMs = 0;
    std::uint32_t fileLs = 0;
    std::uint32_t signature = 0xfeef04bd;
    std::uint16_t valueLength = 52; // wValueLength: the size of VS_FIXEDFILEINFO
};

struct PeLayout {
    bool pe32Plus = false;
    std::uint16_t typeId = 16;    // RT_VERSION
    std::uint16_t nameId = 1;     // VS_VERSION_INFO
    bool namedEntryFirst = false; // a named type entry before the id entries, as real files have
    std::vector<VersionBlock> versions{VersionBlock{}};
};

namespace pe_builder_detail {

inline void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    if (bytes.size() < at + 2)
        bytes.resize(at + 2);
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xffff);
    Put16(bytes, at + 2, value >> 16);
}

// A resource directory with the given entries (name or id, offset) at its offset.
inline void PutDirectory(std::vector<std::uint8_t>& section, std::size_t at, std::uint16_t named,
                         const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
    Put16(section, at + 12, named);
    Put16(section, at + 14, static_cast<std::uint32_t>(entries.size() - named));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Put32(section, at + 16 + 8 * i, entries[i].first);
        Put32(section, at + 20 + 8 * i, entries[i].second);
    }
}

} // namespace pe_builder_detail

// The image's bytes; the fixed record of block i starts at FixedInfoOffset(layout, i).
inline std::vector<std::uint8_t> BuildPe(const PeLayout& layout) {
    using namespace pe_builder_detail;
    constexpr std::uint32_t kSectionRva = 0x1000;
    constexpr std::size_t kSectionFileOffset = 0x200;
    constexpr std::uint32_t kSubdirectory = 0x80000000u;

    // The resource section: three directories, the data entries, then the version blocks.
    std::vector<std::uint8_t> section;
    const std::size_t languageCount = layout.versions.size();
    const std::uint32_t typeDir = 0, nameDir = 0x30, languageDir = 0x48;
    const std::uint32_t dataEntries = languageDir + 16 + 8 * static_cast<std::uint32_t>(languageCount);
    const std::uint32_t namedString = dataEntries + 16 * static_cast<std::uint32_t>(languageCount);
    const std::uint32_t blocks = (namedString + 16 + 3) & ~3u;

    std::vector<std::pair<std::uint32_t, std::uint32_t>> types;
    if (layout.namedEntryFirst)
        types.push_back({0x80000000u | namedString, kSubdirectory | nameDir});
    types.push_back({layout.typeId, kSubdirectory | nameDir});
    PutDirectory(section, typeDir, layout.namedEntryFirst ? 1 : 0, types);
    PutDirectory(section, nameDir, 0, {{layout.nameId, kSubdirectory | languageDir}});
    std::vector<std::pair<std::uint32_t, std::uint32_t>> languages;
    for (std::size_t i = 0; i < languageCount; ++i)
        languages.push_back({layout.versions[i].language, dataEntries + 16 * static_cast<std::uint32_t>(i)});
    PutDirectory(section, languageDir, 0, languages);
    Put16(section, namedString, 3);
    Put16(section, namedString + 2, 'B');
    Put16(section, namedString + 4, 'M');
    Put16(section, namedString + 6, 'P');

    constexpr std::uint32_t kBlockSize = 92; // header, key, padding, VS_FIXEDFILEINFO
    for (std::size_t i = 0; i < languageCount; ++i) {
        const VersionBlock& version = layout.versions[i];
        const std::uint32_t block = blocks + kBlockSize * static_cast<std::uint32_t>(i);
        Put32(section, dataEntries + 16 * i, kSectionRva + block);
        Put32(section, dataEntries + 16 * i + 4, kBlockSize);
        Put16(section, block, kBlockSize);
        Put16(section, block + 2, version.valueLength);
        Put16(section, block + 4, 0);
        const std::string key = "VS_VERSION_INFO";
        for (std::size_t k = 0; k <= key.size(); ++k)
            Put16(section, block + 6 + 2 * k, k < key.size() ? static_cast<std::uint8_t>(key[k]) : 0);
        const std::uint32_t fixed = block + 40;
        Put32(section, fixed, version.signature);
        Put32(section, fixed + 4, 0x00010000);
        Put32(section, fixed + 8, version.fileMs);
        Put32(section, fixed + 12, version.fileLs);
        Put32(section, fixed + 16, version.productMs);
        Put32(section, fixed + 20, version.productLs);
        Put32(section, fixed + 48, 0);
    }
    section.resize((section.size() + 0x1ff) & ~std::size_t{0x1ff});

    // The headers.
    std::vector<std::uint8_t> image(kSectionFileOffset, 0);
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3c, 0x40);
    Put32(image, 0x40, 0x00004550);
    const std::size_t fileHeader = 0x44;
    const std::uint16_t optionalSize = layout.pe32Plus ? 240 : 224;
    Put16(image, fileHeader, layout.pe32Plus ? 0x8664 : 0x14c);
    Put16(image, fileHeader + 2, 1);
    Put16(image, fileHeader + 16, optionalSize);
    Put16(image, fileHeader + 18, 0x0102);
    const std::size_t optional = fileHeader + 20;
    Put16(image, optional, layout.pe32Plus ? 0x20b : 0x10b);
    const std::size_t rvaCount = optional + (layout.pe32Plus ? 108 : 92);
    Put32(image, rvaCount, 16);
    Put32(image, rvaCount + 4 + 16, kSectionRva);
    Put32(image, rvaCount + 4 + 20, static_cast<std::uint32_t>(section.size()));
    const std::size_t sectionHeader = optional + optionalSize;
    const char name[] = ".rsrc";
    for (std::size_t i = 0; i < 5; ++i)
        image[sectionHeader + i] = static_cast<std::uint8_t>(name[i]);
    Put32(image, sectionHeader + 8, static_cast<std::uint32_t>(section.size()));
    Put32(image, sectionHeader + 12, kSectionRva);
    Put32(image, sectionHeader + 16, static_cast<std::uint32_t>(section.size()));
    Put32(image, sectionHeader + 20, kSectionFileOffset);
    image.resize(kSectionFileOffset);
    image.insert(image.end(), section.begin(), section.end());
    return image;
}

// Where the product version (dwProductVersionMS) of version block i lies in the image.
inline std::size_t ProductVersionOffset(const PeLayout& layout, std::size_t i) {
    const std::size_t languageCount = layout.versions.size();
    const std::size_t dataEntries = 0x48 + 16 + 8 * languageCount;
    const std::size_t blocks = (dataEntries + 16 * languageCount + 16 + 3) & ~std::size_t{3};
    return 0x200 + blocks + 92 * i + 40 + 16;
}

} // namespace veksetup::testing
