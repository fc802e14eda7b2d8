// The registry calls over advapi32. A 32-bit program sees the 32-bit views of a 64-bit Windows, as
// the IDEs do, so no view flag is ever passed.

#include "Win32Api.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"

namespace platform {

namespace {

HKEY ToHkey(RegKeyHandle key) {
    return reinterpret_cast<HKEY>(key.value);
}
RegKeyHandle FromHkey(HKEY key) {
    return RegKeyHandle{reinterpret_cast<std::uintptr_t>(key)};
}

// The longest value name the registry allows, and the longest key name, in characters.
constexpr DWORD kMaxValueNameLength = 16383;
constexpr DWORD kMaxKeyNameLength = 255;

} // namespace

long OpenRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access, RegKeyHandle& result) {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(ToHkey(parent), subKey.c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS)
        result = FromHkey(opened);
    return status;
}

long CreateRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access,
                  RegKeyHandle& result) {
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LONG status = ::RegCreateKeyExA(ToHkey(parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          access, nullptr, &opened, &disposition);
    if (status == ERROR_SUCCESS)
        result = FromHkey(opened);
    return status;
}

long CloseRegKey(RegKeyHandle key) {
    return ::RegCloseKey(ToHkey(key));
}

long QueryRegKeyInfo(RegKeyHandle key, RegKeyInfo& info) {
    DWORD subKeys = 0, maxSubKeyLength = 0, values = 0, maxValueNameLength = 0, maxValueLength = 0;
    const LONG status =
        ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLength, nullptr,
                           &values, &maxValueNameLength, &maxValueLength, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        info = RegKeyInfo{subKeys, maxSubKeyLength, values, maxValueNameLength, maxValueLength};
    return status;
}

long EnumRegValueName(RegKeyHandle key, std::uint32_t index, std::string& name) {
    std::string buffer(kMaxValueNameLength + 1, '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status =
        ::RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        name.assign(buffer.data(), length);
    return status;
}

long EnumRegSubKeyName(RegKeyHandle key, std::uint32_t index, std::string& name) {
    std::string buffer(kMaxKeyNameLength + 1, '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status =
        ::RegEnumKeyExA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        name.assign(buffer.data(), length);
    return status;
}

long QueryRegValue(RegKeyHandle key, const std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) {
    DWORD valueType = REG_NONE;
    DWORD size = 0;
    LONG status = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, nullptr, &size);
    std::vector<std::uint8_t> buffer;
    // The value may grow between the two calls; ask again until the buffer holds it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        buffer.resize(size);
        DWORD got = size;
        status = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType,
                                    buffer.empty() ? nullptr : buffer.data(), &got);
        if (status == ERROR_SUCCESS) {
            buffer.resize(got);
            type = valueType;
            data = std::move(buffer);
            return ERROR_SUCCESS;
        }
        size = got;
    }
    return status;
}

long WriteRegValue(RegKeyHandle key, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) {
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                            static_cast<DWORD>(data.size()));
}

long DeleteRegValue(RegKeyHandle key, const std::string& name) {
    return ::RegDeleteValueA(ToHkey(key), name.c_str());
}

long DeleteRegKey(RegKeyHandle parent, const std::string& subKey) {
    return ::RegDeleteKeyA(ToHkey(parent), subKey.c_str());
}

} // namespace platform
