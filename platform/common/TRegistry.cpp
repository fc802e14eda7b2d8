#include "platform/TRegistry.h"

#include "platform/Exceptions.h"
#include "platform/Win32Constants.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

[[noreturn]] void RaiseInvalidDataType(const std::string& name) {
    throw ERegistryException("Invalid data type for '" + name + "'");
}

[[noreturn]] void RaiseGetDataFailed(const std::string& name) {
    throw ERegistryException("Failed to get data for '" + name + "'");
}

RegDataType ToRegDataType(std::uint32_t type) {
    switch (type) {
    case kRegSz:
        return RegDataType::String;
    case kRegExpandSz:
        return RegDataType::ExpandString;
    case kRegDword:
        return RegDataType::Integer;
    case kRegBinary:
        return RegDataType::Binary;
    default:
        return RegDataType::Unknown;
    }
}

} // namespace

TRegistry::TRegistry(RegistryAccess access, RegKeyHandle rootKey) noexcept
    : access_(access == RegistryAccess::Read ? kKeyRead : kKeyWriteAccess), rootKey_(rootKey) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(RegKeyHandle rootKey) {
    CloseKey();
    rootKey_ = rootKey;
}

std::string TRegistry::StripLeadingBackslash(const std::string& path) {
    return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

bool TRegistry::OpenKey(const std::string& path, KeyCreation creation) {
    const std::string subKey = StripLeadingBackslash(path);
    RegKeyHandle opened{};
    // An empty path can only be opened, never created: it is the root itself.
    const long status = creation == KeyCreation::OpenExisting || subKey.empty()
                            ? OpenRegKey(BaseKey(), subKey, access_, opened)
                            : CreateRegKey(BaseKey(), subKey, access_, opened);
    if (status != kErrorSuccess)
        return false;
    CloseKey();
    currentKey_ = opened;
    return true;
}

void TRegistry::CloseKey() {
    if (currentKey_.value != 0) {
        CloseRegKey(currentKey_);
        currentKey_ = {};
    }
}

std::vector<std::string> TRegistry::GetValueNames() const {
    std::vector<std::string> names;
    RegKeyInfo info;
    if (currentKey_.value == 0 || QueryRegKeyInfo(currentKey_, info) != kErrorSuccess)
        return names;
    // As the run-time library does: a failed enumeration adds the previous name again.
    std::string name;
    for (std::uint32_t index = 0; index < info.valueCount; ++index) {
        (void)EnumRegValueName(currentKey_, index, name);
        names.push_back(name);
    }
    return names;
}

bool TRegistry::QueryDataInfo(const std::string& name, DataInfo& info) const {
    if (currentKey_.value == 0)
        return false;
    return QueryRegValue(currentKey_, name, info.type, info.data) == kErrorSuccess;
}

bool TRegistry::ValueExists(const std::string& name) const {
    DataInfo info;
    return QueryDataInfo(name, info);
}

bool TRegistry::KeyExists(const std::string& path) const {
    RegKeyHandle opened{};
    if (OpenRegKey(BaseKey(), StripLeadingBackslash(path), kKeyExistsAccess, opened) != kErrorSuccess)
        return false;
    CloseRegKey(opened);
    return true;
}

RegDataType TRegistry::GetDataType(const std::string& name) const {
    DataInfo info;
    return QueryDataInfo(name, info) ? ToRegDataType(info.type) : RegDataType::Unknown;
}

long TRegistry::GetDataSize(const std::string& name) const {
    DataInfo info;
    return QueryDataInfo(name, info) ? static_cast<long>(info.data.size()) : -1;
}

std::string TRegistry::ReadString(const std::string& name) const {
    DataInfo info;
    if (!QueryDataInfo(name, info) || info.data.empty())
        return {};
    const RegDataType type = ToRegDataType(info.type);
    if (type != RegDataType::String && type != RegDataType::ExpandString)
        RaiseInvalidDataType(name);
    const auto* bytes = reinterpret_cast<const char*>(info.data.data());
    return std::string(bytes, strnlen(bytes, info.data.size()));
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
    DataInfo info;
    // The data is fetched into a four-byte buffer: anything missing or larger fails the fetch.
    if (!QueryDataInfo(name, info) || info.data.size() > sizeof(std::int32_t))
        RaiseGetDataFailed(name);
    if (ToRegDataType(info.type) != RegDataType::Integer)
        RaiseInvalidDataType(name);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < info.data.size(); ++i)
        value |= static_cast<std::uint32_t>(info.data[i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::size_t TRegistry::ReadBinaryData(const std::string& name, std::vector<std::uint8_t>& buffer) const {
    DataInfo info;
    if (!QueryDataInfo(name, info))
        return 0;
    const RegDataType type = ToRegDataType(info.type);
    if ((type != RegDataType::Binary && type != RegDataType::Unknown) || info.data.size() > buffer.size())
        RaiseInvalidDataType(name);
    std::copy(info.data.begin(), info.data.end(), buffer.begin());
    return info.data.size();
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    if (currentKey_.value == 0 || WriteRegValue(currentKey_, name, kRegSz, data) != kErrorSuccess)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

bool TRegistry::DeleteValue(const std::string& name) {
    return currentKey_.value != 0 && DeleteRegValue(currentKey_, name) == kErrorSuccess;
}

bool TRegistry::DeleteKey(const std::string& path) {
    const std::string subKey = StripLeadingBackslash(path);
    RegKeyHandle key{};
    if (OpenRegKey(BaseKey(), subKey, access_, key) == kErrorSuccess) {
        RegKeyInfo info;
        if (QueryRegKeyInfo(key, info) == kErrorSuccess) {
            // Deepest first, from the last subkey down, so the indices stay valid.
            for (std::uint32_t index = info.subKeyCount; index-- > 0;) {
                std::string child;
                if (EnumRegSubKeyName(key, index, child) == kErrorSuccess)
                    DeleteKey(subKey + "\\" + child);
            }
        }
        CloseRegKey(key);
    }
    return DeleteRegKey(BaseKey(), subKey) == kErrorSuccess;
}

} // namespace platform
