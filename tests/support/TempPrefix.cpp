#include "support/TempPrefix.h"

#include "platform/Win32Constants.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace veksetup::testing {

namespace {

using platform::RegKeyHandle;

// The link value of a booted prefix's 32-bit class keys, "\Registry\Machine\Software\Classes\<name>"
// in UTF-16LE as Wine writes it: three full lines, then the name on one line (names up to 11
// characters fit there).
std::string ClassesLinkValue(const std::string& name) {
    std::string text = "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,\\\n"
                       "  00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,\\\n"
                       "  74,00,77,00,61,00,72,00,65,00,5c,00,43,00,6c,00,61,00,73,00,73,00,65,00,73,\\\n"
                       "  00,5c,00";
    char hex[8];
    for (const char c : name) {
        std::snprintf(hex, sizeof(hex), ",%02x,00", static_cast<unsigned char>(c));
        text += hex;
    }
    return text + "\n";
}

// A key line with a consistent time, as Wine writes it.
std::string KeyBlock(const std::string& path) {
    return "\n[" + path + "] 1796990001\n#time=1dd896637fd4e80\n";
}

std::string Header(const std::string& rootPath, PrefixArch arch) {
    return "WINE REGISTRY Version 2\n;; All keys relative to " + rootPath +
           "\n\n#arch=" + (arch == PrefixArch::Win64 ? "win64" : "win32") + "\n";
}

std::string SystemHive(PrefixArch arch) {
    std::string text = Header("REGISTRY\\\\Machine", arch);
    if (arch == PrefixArch::Win32)
        return text + KeyBlock("Software\\\\Classes");
    // What a booted 64-bit prefix has for 32-bit programs: their own CLSID and Interface keys, links
    // from their AppId, Protocols and TypeLib keys to the shared 64-bit ones (Protocols leads nowhere
    // until something creates it), and the link that shows the 32-bit classes below Wow6432Node.
    text += KeyBlock("Software\\\\Classes\\\\AppID") + KeyBlock("Software\\\\Classes\\\\Typelib");
    struct ClassesNode {
        const char* name;
        bool shared;
    };
    for (const auto& [name, shared] :
         {ClassesNode{"AppId", true}, ClassesNode{"CLSID", false}, ClassesNode{"Interface", false},
          ClassesNode{"Protocols", true}, ClassesNode{"TypeLib", true}}) {
        text += KeyBlock(std::string("Software\\\\Classes\\\\Wow6432Node\\\\") + name);
        if (shared)
            text += "#link\n" + ClassesLinkValue(name);
    }
    return text + KeyBlock("Software\\\\Wow6432Node\\\\Classes") + "#link\n" +
           ClassesLinkValue("Wow6432Node");
}

std::string UserHive(PrefixArch arch, const std::string& userName) {
    return Header("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", arch) +
           KeyBlock("Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders") +
           "\"AppData\"=\"C:\\\\users\\\\" + userName + "\\\\AppData\\\\Roaming\"\n";
}

std::string LoginName() {
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name != nullptr)
        return entry->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr ? user : "user";
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Check(long status, const std::string& what) {
    if (status != platform::kErrorSuccess)
        throw std::runtime_error(what + " failed with error " + std::to_string(status));
}

// A key opened for the helper's one operation, closed at the end of it.
class OpenedKey {
  public:
    OpenedKey(RegKeyHandle root, const std::string& path, bool create) {
        status_ = create ? platform::CreateRegKey(root, path, platform::kKeyWriteAccess, key_)
                         : platform::OpenRegKey(root, path, platform::kKeyRead, key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (status_ == platform::kErrorSuccess)
            platform::CloseRegKey(key_);
    }
    bool IsOpen() const { return status_ == platform::kErrorSuccess; }
    long Status() const { return status_; }
    RegKeyHandle Get() const { return key_; }

  private:
    RegKeyHandle key_{};
    long status_ = platform::kErrorFileNotFound;
};

struct QueriedValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// The value's type and data as the program reads them; nothing when the key or value is missing.
std::optional<QueriedValue> QueryValue(RegKeyHandle root, const std::string& keyPath,
                                       const std::string& name) {
    const OpenedKey key(root, keyPath, false);
    QueriedValue value;
    if (!key.IsOpen() ||
        platform::QueryRegValue(key.Get(), name, value.type, value.data) != platform::kErrorSuccess)
        return std::nullopt;
    return value;
}

// Every name an enumeration call gives for the key, in its order; none when the key is missing.
std::vector<std::string> EnumerateNames(RegKeyHandle root, const std::string& keyPath,
                                        long (*enumerate)(RegKeyHandle, std::uint32_t, std::string&)) {
    const OpenedKey key(root, keyPath, false);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t index = 0;
         key.IsOpen() && enumerate(key.Get(), index, name) == platform::kErrorSuccess; ++index)
        names.push_back(name);
    return names;
}

std::vector<std::uint8_t> StringData(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

} // namespace

TempPrefix::TempPrefix(PrefixArch arch) : userName_(LoginName()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "veksetup-prefix-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary prefix folder");
    folder_ = pattern;
    LayOut(arch);
    machine_.emplace(platform::Machine::OpenPrefix(folder_.string()));
}

TempPrefix::~TempPrefix() {
    machine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void TempPrefix::LayOut(PrefixArch arch) const {
    WriteText(folder_ / "system.reg", SystemHive(arch));
    WriteText(folder_ / "user.reg", UserHive(arch, userName_));
    std::filesystem::create_directories(folder_ / "dosdevices");
    std::filesystem::create_directories(folder_ / "drive_c" / "windows" / "system32");
    std::filesystem::create_directories(folder_ / "drive_c" / "users" / userName_ / "AppData" / "Roaming");
    std::filesystem::create_directory_symlink("../drive_c", folder_ / "dosdevices" / "c:");
    std::filesystem::create_directory_symlink("/", folder_ / "dosdevices" / "z:");
}

std::string TempPrefix::AppDataPath() const {
    return "C:\\users\\" + userName_ + "\\AppData\\Roaming";
}

std::filesystem::path TempPrefix::HostPath(const std::string& windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || std::toupper(windowsPath[0]) != 'C')
        throw std::runtime_error("not a path of drive C: " + windowsPath);
    std::filesystem::path path = folder_ / "drive_c";
    std::istringstream parts(windowsPath.substr(2));
    for (std::string part; std::getline(parts, part, '\\');)
        if (!part.empty())
            path /= part;
    return path;
}

void TempPrefix::CloseMachine() {
    machine_.reset();
}

void TempPrefix::Reopen() {
    machine_.reset();
    machine_.emplace(platform::Machine::OpenPrefix(folder_.string()));
}

std::string TempPrefix::SystemHiveText() const {
    return ReadText(folder_ / "system.reg");
}
std::string TempPrefix::UserHiveText() const {
    return ReadText(folder_ / "user.reg");
}

void TempPrefix::SetValue(RegKeyHandle root, const std::string& keyPath, const std::string& name,
                          std::uint32_t type, const std::vector<std::uint8_t>& data) {
    const OpenedKey key(root, keyPath, true);
    Check(key.Status(), "creating key " + keyPath);
    Check(platform::WriteRegValue(key.Get(), name, type, data), "setting value " + name);
}

void TempPrefix::SetString(RegKeyHandle root, const std::string& keyPath, const std::string& name,
                           const std::string& value) {
    SetValue(root, keyPath, name, platform::kRegSz, StringData(value));
}

void TempPrefix::SetExpandString(RegKeyHandle root, const std::string& keyPath, const std::string& name,
                                 const std::string& value) {
    SetValue(root, keyPath, name, platform::kRegExpandSz, StringData(value));
}

void TempPrefix::SetDword(RegKeyHandle root, const std::string& keyPath, const std::string& name,
                          std::uint32_t value) {
    SetValue(root, keyPath, name, platform::kRegDword,
             {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void TempPrefix::CreateKey(RegKeyHandle root, const std::string& keyPath) {
    const OpenedKey key(root, keyPath, true);
    Check(key.Status(), "creating key " + keyPath);
}

bool TempPrefix::KeyExists(RegKeyHandle root, const std::string& keyPath) const {
    return OpenedKey(root, keyPath, false).IsOpen();
}

std::optional<std::string> TempPrefix::ReadString(RegKeyHandle root, const std::string& keyPath,
                                                  const std::string& name) const {
    const std::optional<QueriedValue> value = QueryValue(root, keyPath, name);
    if (!value)
        return std::nullopt;
    if (value->type != platform::kRegSz && value->type != platform::kRegExpandSz &&
        value->type != platform::kRegMultiSz)
        throw std::runtime_error("value " + name + " is not a string");
    const auto end = std::find(value->data.begin(), value->data.end(), std::uint8_t{0});
    return std::string(value->data.begin(), end);
}

std::optional<std::uint32_t> TempPrefix::ReadDword(RegKeyHandle root, const std::string& keyPath,
                                                   const std::string& name) const {
    const std::optional<QueriedValue> value = QueryValue(root, keyPath, name);
    if (!value)
        return std::nullopt;
    const auto& data = value->data;
    if (value->type != platform::kRegDword || data.size() != 4)
        throw std::runtime_error("value " + name + " is not a DWORD");
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

std::vector<std::string> TempPrefix::ValueNames(RegKeyHandle root, const std::string& keyPath) const {
    return EnumerateNames(root, keyPath, platform::EnumRegValueName);
}

std::vector<std::string> TempPrefix::SubKeyNames(RegKeyHandle root, const std::string& keyPath) const {
    return EnumerateNames(root, keyPath, platform::EnumRegSubKeyName);
}

void TempPrefix::WriteFile(const std::string& windowsPath, const std::string& bytes) const {
    WriteText(HostPath(windowsPath), bytes);
}

std::string TempPrefix::ReadFile(const std::string& windowsPath) const {
    return ReadText(HostPath(windowsPath));
}

bool TempPrefix::FileExists(const std::string& windowsPath) const {
    return std::filesystem::is_regular_file(HostPath(windowsPath));
}

} // namespace veksetup::testing
