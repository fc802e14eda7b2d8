#include "PeVersionReader.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace platform::posix {

namespace {

constexpr std::uint16_t kDosSignature = 0x5a4d;    // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10b;
constexpr std::uint16_t kPe32PlusMagic = 0x20b;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kVsVersionInfo = 1;
constexpr std::uint32_t kFixedFileInfoSignature = 0xfeef04bd;
constexpr std::uint32_t kFixedFileInfoSize = 52;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr std::uint32_t kNamedEntryFlag = 0x80000000u;

// Little-endian reads that fail instead of reading past the end.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::optional<std::uint16_t> U16(std::uint64_t offset) const {
        if (!Has(offset, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::optional<std::uint32_t> U32(std::uint64_t offset) const {
        if (!Has(offset, 4))
            return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset]) |
               (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// A range of file bytes: where an address of the image lies in the file and how much of its section
// follows it there.
struct FileRange {
    std::uint64_t offset;
    std::uint64_t available;
};

class PeImage {
  public:
    explicit PeImage(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

    const ByteReader& Reader() const { return reader_; }

    // Reads the headers; false when the bytes are no PE image with a resource directory.
    bool ReadHeaders(std::uint32_t& resourceAddress) {
        if (reader_.U16(0) != kDosSignature)
            return false;
        const auto peOffset = reader_.U32(0x3c);
        if (!peOffset || reader_.U32(*peOffset) != kPeSignature)
            return false;
        const std::uint64_t fileHeader = std::uint64_t{*peOffset} + 4;
        const auto sectionCount = reader_.U16(fileHeader + 2);
        const auto optionalSize = reader_.U16(fileHeader + 16);
        const std::uint64_t optional = fileHeader + 20;
        const auto magic = reader_.U16(optional);
        if (!sectionCount || !optionalSize || !magic)
            return false;
        std::uint64_t rvaCountOffset = 0;
        if (*magic == kPe32Magic)
            rvaCountOffset = 92;
        else if (*magic == kPe32PlusMagic)
            rvaCountOffset = 108;
        else
            return false;
        const auto rvaCount = reader_.U32(optional + rvaCountOffset);
        const std::uint64_t directory = rvaCountOffset + 4 + 8 * kResourceDirectoryIndex;
        if (!rvaCount || *rvaCount <= kResourceDirectoryIndex || directory + 8 > *optionalSize)
            return false;
        const auto address = reader_.U32(optional + directory);
        const auto size = reader_.U32(optional + directory + 4);
        if (!address || !size || *address == 0 || *size == 0)
            return false;
        resourceAddress = *address;

        const std::uint64_t table = optional + *optionalSize;
        for (std::uint32_t i = 0; i < *sectionCount; ++i) {
            const std::uint64_t header = table + 40ull * i;
            const auto virtualAddress = reader_.U32(header + 12);
            const auto rawSize = reader_.U32(header + 16);
            const auto rawOffset = reader_.U32(header + 20);
            if (!virtualAddress || !rawSize || !rawOffset)
                return false;
            sections_.push_back({*virtualAddress, *rawSize, *rawOffset});
        }
        return true;
    }

    // Where an image address lies in the file, within the raw data of its section.
    std::optional<FileRange> Locate(std::uint32_t address) const {
        for (const Section& section : sections_) {
            if (address >= section.virtualAddress && address - section.virtualAddress < section.rawSize) {
                const std::uint64_t into = address - section.virtualAddress;
                const FileRange range{section.rawOffset + into, section.rawSize - into};
                if (!reader_.Has(range.offset, 0))
                    return std::nullopt;
                return range;
            }
        }
        return std::nullopt;
    }

  private:
    ByteReader reader_;
    std::vector<Section> sections_;
};

// The resource tree: directories of entries, offsets from the start of the resource directory.
class ResourceTree {
  public:
    ResourceTree(const ByteReader& reader, FileRange root) : reader_(reader), root_(root) {}

    // The offset field of the directory's entry with the given id; named entries are passed over.
    std::optional<std::uint32_t> FindById(std::uint32_t directory, std::uint16_t id) const {
        return Find(directory, [id](std::uint32_t name) {
            return (name & kNamedEntryFlag) == 0 && (name & 0xffff) == id;
        });
    }
    std::optional<std::uint32_t> First(std::uint32_t directory) const {
        return Find(directory, [](std::uint32_t) { return true; });
    }
    std::optional<std::uint32_t> Subdirectory(std::optional<std::uint32_t> entryOffset) const {
        if (!entryOffset || (*entryOffset & kSubdirectoryFlag) == 0)
            return std::nullopt;
        return *entryOffset & ~kSubdirectoryFlag;
    }
    // The data entry's image address and size.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> Data(std::uint32_t entryOffset) const {
        if ((entryOffset & kSubdirectoryFlag) != 0 || entryOffset > root_.available)
            return std::nullopt;
        const auto address = reader_.U32(root_.offset + entryOffset);
        const auto size = reader_.U32(root_.offset + entryOffset + 4);
        if (!address || !size)
            return std::nullopt;
        return std::make_pair(*address, *size);
    }

  private:
    template <typename Matches>
    std::optional<std::uint32_t> Find(std::uint32_t directory, Matches matches) const {
        if (directory > root_.available)
            return std::nullopt;
        const std::uint64_t start = root_.offset + directory;
        const auto named = reader_.U16(start + 12);
        const auto ids = reader_.U16(start + 14);
        if (!named || !ids)
            return std::nullopt;
        for (std::uint32_t i = 0; i < std::uint32_t{*named} + *ids; ++i) {
            const std::uint64_t entry = start + 16 + 8ull * i;
            const auto name = reader_.U32(entry);
            const auto offset = reader_.U32(entry + 4);
            if (!name || !offset)
                return std::nullopt;
            if (matches(*name))
                return *offset;
        }
        return std::nullopt;
    }

    const ByteReader& reader_;
    FileRange root_;
};

std::optional<ProductVersion> ReadFixedFileInfo(const ByteReader& reader, std::uint64_t offset,
                                                std::uint64_t size) {
    // VS_VERSIONINFO: wLength, wValueLength, wType, the key "VS_VERSION_INFO" in UTF-16 with its NUL,
    // padding to 32 bits, then the value: VS_FIXEDFILEINFO.
    const auto length = reader.U16(offset);
    const auto valueLength = reader.U16(offset + 2);
    if (!length || !valueLength || *valueLength < kFixedFileInfoSize)
        return std::nullopt;
    const std::uint64_t block = std::min<std::uint64_t>(size, *length);
    std::uint64_t key = 6;
    for (;; key += 2) {
        if (key + 2 > block)
            return std::nullopt;
        if (reader.U16(offset + key) == 0)
            break;
    }
    const std::uint64_t value = (key + 2 + 3) & ~std::uint64_t{3};
    if (value + kFixedFileInfoSize > block || reader.U32(offset + value) != kFixedFileInfoSignature)
        return std::nullopt;
    const auto ms = reader.U32(offset + value + 16);
    const auto ls = reader.U32(offset + value + 20);
    if (!ms || !ls)
        return std::nullopt;
    return ProductVersion{*ms, *ls};
}

} // namespace

std::optional<ProductVersion> ReadPeProductVersion(std::span<const std::uint8_t> bytes) {
    PeImage image(bytes);
    std::uint32_t resourceAddress = 0;
    if (!image.ReadHeaders(resourceAddress))
        return std::nullopt;
    const std::optional<FileRange> root = image.Locate(resourceAddress);
    if (!root)
        return std::nullopt;
    const ResourceTree tree(image.Reader(), *root);
    const auto types = tree.Subdirectory(tree.FindById(0, kRtVersion));
    const auto names = types ? tree.Subdirectory(tree.FindById(*types, kVsVersionInfo)) : std::nullopt;
    if (!names)
        return std::nullopt;
    // The order in which Wine's resource lookup tries languages for a neutral request: neutral, the
    // user's and system's language (US English), English with neutral sublanguage, else the first.
    constexpr std::array<std::uint16_t, 3> kPreferredLanguages = {0x0000, 0x0409, 0x0009};
    std::optional<std::uint32_t> language;
    for (const std::uint16_t preferred : kPreferredLanguages) {
        if ((language = tree.FindById(*names, preferred)))
            break;
    }
    if (!language)
        language = tree.First(*names);
    const auto data = language ? tree.Data(*language) : std::nullopt;
    if (!data)
        return std::nullopt;
    const std::optional<FileRange> block = image.Locate(data->first);
    if (!block || data->second > block->available)
        return std::nullopt;
    return ReadFixedFileInfo(image.Reader(), block->offset, data->second);
}

} // namespace platform::posix
