#include "HiveDump.h"

#include "TextEncoding.h"
#include "registry/Hive.h"
#include "registry/HiveReader.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace vekreg {
namespace {

using platform::posix::RegistryKey;

// A name with \\ \" \n \r \t and the other control characters escaped, in UTF-8 (see the header).
std::string EscapedName(std::u16string_view name) {
    static const char kHex[] = "0123456789abcdef";
    std::u16string escaped;
    for (const char16_t unit : name) {
        switch (unit) {
        case u'\\':
            escaped += u"\\\\";
            break;
        case u'"':
            escaped += u"\\\"";
            break;
        case u'\n':
            escaped += u"\\n";
            break;
        case u'\r':
            escaped += u"\\r";
            break;
        case u'\t':
            escaped += u"\\t";
            break;
        default:
            if (unit < 0x20 || unit == 0x7F) {
                escaped += u"\\x";
                escaped.push_back(static_cast<char16_t>(kHex[unit >> 4]));
                escaped.push_back(static_cast<char16_t>(kHex[unit & 0xF]));
            } else {
                escaped.push_back(unit);
            }
        }
    }
    return platform::posix::Utf16ToUtf8(escaped);
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

void DumpHives(const std::filesystem::path& prefix, HiveSelection selection, std::ostream& out) {
    if (selection != HiveSelection::CurrentUser)
        DumpHive(prefix / "system.reg", "HKLM", out);
    if (selection != HiveSelection::LocalMachine)
        DumpHive(prefix / "user.reg", "HKCU", out);
}

} // namespace vekreg
