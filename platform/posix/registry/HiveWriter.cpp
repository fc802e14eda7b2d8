#include "registry/HiveWriter.h"

#include "platform/Win32Constants.h"
#include "registry/HiveText.h"
#include "registry/Utf16Bytes.h"

#include <array>
#include <cstdio>

namespace platform::posix {

namespace {

// The server breaks a hex line once it has passed this column.
constexpr std::size_t kHexLineLimit = 76;

std::size_t AppendFormatted(std::string& out, const char* format, unsigned first, unsigned second = 0) {
    std::array<char, 48> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, first, second);
    out.append(buffer.data(), static_cast<std::size_t>(length));
    return static_cast<std::size_t>(length);
}

bool IsWrittenAsString(const RegistryValue& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz && value.type != kRegMultiSz)
        return false;
    const auto& data = value.data;
    return data.size() >= 2 && data.size() % 2 == 0 && data[data.size() - 2] == 0 && data.back() == 0;
}

void WriteValue(std::string& out, const RegistryValue& value) {
    std::size_t column = 0;
    if (value.name.empty()) {
        out += "@=";
        column = 2;
    } else {
        out += '"';
        column = 1 + AppendEscaped(out, value.name, "\"\"");
        out += "\"=";
        column += 2;
    }
    if (IsWrittenAsString(value)) {
        if (value.type != kRegSz)
            AppendFormatted(out, "str(%x):", value.type);
        out += '"';
        AppendEscaped(out, BytesToUtf16(value.data), "\"\"");
        out += "\"\n";
        return;
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        const unsigned dword = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                               (static_cast<unsigned>(value.data[3]) << 24);
        AppendFormatted(out, "dword:%08x\n", dword);
        return;
    }
    if (value.type == kRegBinary) {
        out += "hex:";
        column += 4;
    } else {
        column += AppendFormatted(out, "hex(%x):", value.type);
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        column += AppendFormatted(out, "%02x", value.data[i]);
        if (i + 1 < value.data.size()) {
            out += ',';
            if (++column > kHexLineLimit) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
    out += '\n';
}

void WritePath(std::string& out, const RegistryKey& key, const RegistryKey& base) {
    if (key.Parent() != nullptr && key.Parent() != &base) {
        WritePath(out, *key.Parent(), base);
        out += "\\\\";
    }
    AppendEscaped(out, key.Name(), "[]");
}

void WriteKey(std::string& out, const RegistryKey& key, const RegistryKey& base) {
    if (!key.Values().empty() || key.SubKeys().empty() || key.ClassName() || key.IsLink()) {
        out += "\n[";
        if (&key != &base)
            WritePath(out, key, base);
        const auto seconds =
            (static_cast<std::int64_t>(key.Modified()) - kTicksFrom1601To1970) / kTicksPerSecond;
        AppendFormatted(out, "] %u\n", static_cast<unsigned>(seconds));
        AppendFormatted(out, "#time=%x%08x\n", static_cast<unsigned>(key.Modified() >> 32),
                        static_cast<unsigned>(key.Modified()));
        if (key.ClassName()) {
            out += "#class=\"";
            AppendEscaped(out, *key.ClassName(), "\"\"");
            out += "\"\n";
        }
        if (key.IsLink())
            out += "#link\n";
        for (const auto& value : key.Values())
            WriteValue(out, value);
    }
    for (const auto& subKey : key.SubKeys())
        WriteKey(out, *subKey, base);
}

} // namespace

std::string WriteHive(const Hive& hive) {
    std::string out = hive.header;
    WriteKey(out, *hive.root, *hive.root);
    return out;
}

Hive MakeEmptyHive(const std::u16string& rootPath, HiveArch arch) {
    Hive hive;
    hive.rootPath = rootPath;
    hive.arch = arch;
    hive.header = "WINE REGISTRY Version 2\n;; All keys relative to ";
    AppendEscaped(hive.header, rootPath, "[]");
    hive.header += "\n";
    if (arch != HiveArch::Unspecified)
        hive.header += arch == HiveArch::Win64 ? "\n#arch=win64\n" : "\n#arch=win32\n";
    return hive;
}

} // namespace platform::posix
