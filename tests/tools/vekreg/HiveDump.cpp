#include "HiveDump.h"

#include "registry/Hive.h"
#include "registry/HiveReader.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace vekreg {
namespace {

using platform::posix::RegistryKey;

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// UTF-16 name to escaped UTF-8 (see the header); a lone surrogate is kept as its own code.
std::string EscapedName(std::u16string_view name) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char32_t code = name[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
            name[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (name[++i] - 0xDC00);
        switch (code) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (code < 0x20 || code == 0x7F) {
                out += "\\x";
                out.push_back(kHex[code >> 4]);
                out.push_back(kHex[code & 0xF]);
            } else {
                AppendUtf8(out, code);
            }
        }
    }
    return out;
}

void DumpKey(const RegistryKey& key, const std::string& hive, const std::string& path, std::ostream& out) {
    static const char kHex[] = "0123456789abcdef";
    if (!path.empty())
        out << "K\t" << hive << '\t' << path << '\n';
    for (const auto& value : key.Values()) {
        std::string data;
        for (const std::uint8_t byte : value.data) {
            data.push_back(kHex[byte >> 4]);
            data.push_back(kHex[byte & 0xF]);
        }
        out << "V\t" << hive << '\t' << path << '\t' << EscapedName(value.name) << '\t' << value.type << '\t'
            << data << '\n';
    }
    for (const auto& subKey : key.SubKeys()) {
        const std::string name = EscapedName(subKey->Name());
        DumpKey(*subKey, hive, path.empty() ? name : path + "\\\\" + name, out);
    }
}

void DumpHive(const std::filesystem::path& file, const std::string& hive, std::ostream& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    const platform::posix::Hive loaded = platform::posix::ReadHive(text.str(), file.string(), std::cerr);
    DumpKey(*loaded.root, hive, "", out);
}

} // namespace

void DumpHives(const std::filesystem::path& prefix, std::ostream& out) {
    DumpHive(prefix / "system.reg", "HKLM", out);
    DumpHive(prefix / "user.reg", "HKCU", out);
}

} // namespace vekreg
