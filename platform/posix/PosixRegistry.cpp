// The registry calls of the posix backend: the "A" calls of advapi32 over the hives of the open
// machine, with the names and string data converted between Windows-1252 and the hives' UTF-16.

#include "EmulatedMachine.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"
#include "registry/AnsiCodePage.h"
#include "registry/RegistryStore.h"
#include "registry/Utf16Bytes.h"

#include <algorithm>

namespace platform {

namespace {

using posix::RegistryKey;
using posix::RegistryStore;

RegistryStore& Store() {
    return posix::EmulatedMachine::Current().Registry();
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The key of a handle, when the handle grants `needed` (opening and deleting below a key need none).
long KeyWithAccess(RegistryStore& store, RegKeyHandle handle, std::uint32_t needed,
                   std::shared_ptr<RegistryKey>& key) {
    std::uint32_t access = 0;
    if (const long status = store.Resolve(handle, key, access); status != kErrorSuccess)
        return status;
    return (access & needed) == needed ? kErrorSuccess : kErrorAccessDenied;
}

constexpr std::uint32_t kNoAccessNeeded = 0;

// RegQueryInfoKeyA counts names in characters (one per UTF-16 unit in 1252) and data in bytes as the
// hive holds them, as Wine does.
std::uint32_t Length(std::size_t bytesOrUnits) {
    return static_cast<std::uint32_t>(bytesOrUnits);
}

bool IsPredefined(RegKeyHandle handle) {
    return handle == kHkeyClassesRoot || handle == kHkeyCurrentUser || handle == kHkeyLocalMachine;
}

enum class KeyCreation { OpenExisting, CreateIfMissing };

// Opening a predefined key itself (no path) gives that key, without the 32-bit view's detour that
// the same open below an ordinary handle takes (Wine 8 does so too).
long OpenOrCreate(RegKeyHandle parent, const std::string& subKey, std::uint32_t access, KeyCreation creation,
                  RegKeyHandle& result) {
    RegistryStore& store = Store();
    std::shared_ptr<RegistryKey> parentKey;
    if (const long status = KeyWithAccess(store, parent, kNoAccessNeeded, parentKey); status != kErrorSuccess)
        return status;
    std::shared_ptr<RegistryKey> key;
    long status = kErrorSuccess;
    if (creation == KeyCreation::CreateIfMissing)
        status = store.CreateKey(parentKey, posix::AnsiToUtf16(subKey), key);
    else if (subKey.empty() && IsPredefined(parent))
        key = parentKey;
    else
        status = store.OpenKey(parentKey, posix::AnsiToUtf16(subKey), key);
    if (status != kErrorSuccess)
        return status;
    result = store.AddHandle(std::move(key), access);
    return kErrorSuccess;
}

} // namespace

long OpenRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access, RegKeyHandle& result) {
    // Opening (and only opening) below HKEY_CLASSES_ROOT forgives one leading backslash.
    const bool forgiven = parent == kHkeyClassesRoot && !subKey.empty() && subKey.front() == '\\';
    return OpenOrCreate(parent, forgiven ? subKey.substr(1) : subKey, access, KeyCreation::OpenExisting,
                        result);
}

long CreateRegKey(RegKeyHandle parent, const std::string& subKey, std::uint32_t access,
                  RegKeyHandle& result) {
    return OpenOrCreate(parent, subKey, access, KeyCreation::CreateIfMissing, result);
}

long CloseRegKey(RegKeyHandle key) {
    return Store().CloseHandle(key);
}

long QueryRegKeyInfo(RegKeyHandle handle, RegKeyInfo& info) {
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(Store(), handle, kKeyQueryValue, key); status != kErrorSuccess)
        return status;
    RegKeyInfo result;
    result.subKeyCount = static_cast<std::uint32_t>(key->SubKeys().size());
    result.valueCount = static_cast<std::uint32_t>(key->Values().size());
    for (const auto& subKey : key->SubKeys())
        result.maxSubKeyNameLength = std::max(result.maxSubKeyNameLength, Length(subKey->Name().size()));
    for (const auto& value : key->Values()) {
        result.maxValueNameLength = std::max(result.maxValueNameLength, Length(value.name.size()));
        result.maxValueDataLength = std::max(result.maxValueDataLength, Length(value.data.size()));
    }
    info = result;
    return kErrorSuccess;
}

long EnumRegValueName(RegKeyHandle handle, std::uint32_t index, std::string& name) {
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(Store(), handle, kKeyQueryValue, key); status != kErrorSuccess)
        return status;
    if (index >= key->Values().size())
        return kErrorNoMoreItems;
    name = posix::Utf16ToAnsi(key->Values()[index].name);
    return kErrorSuccess;
}

long EnumRegSubKeyName(RegKeyHandle handle, std::uint32_t index, std::string& name) {
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(Store(), handle, kKeyEnumerateSubKeys, key);
        status != kErrorSuccess)
        return status;
    if (index >= key->SubKeys().size())
        return kErrorNoMoreItems;
    name = posix::Utf16ToAnsi(key->SubKeys()[index]->Name());
    return kErrorSuccess;
}

long QueryRegValue(RegKeyHandle handle, const std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) {
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(Store(), handle, kKeyQueryValue, key); status != kErrorSuccess)
        return status;
    const posix::RegistryValue* value = key->FindValue(posix::AnsiToUtf16(name));
    if (value == nullptr)
        return kErrorFileNotFound;
    type = value->type;
    if (IsStringType(value->type)) {
        const std::string ansi = posix::Utf16ToAnsi(posix::BytesToUtf16(value->data));
        data.assign(ansi.begin(), ansi.end());
    } else {
        data = value->data;
    }
    return kErrorSuccess;
}

long WriteRegValue(RegKeyHandle handle, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) {
    RegistryStore& store = Store();
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(store, handle, kKeySetValue, key); status != kErrorSuccess)
        return status;
    std::vector<std::uint8_t> stored = data;
    if (IsStringType(type))
        stored = posix::Utf16ToBytes(posix::AnsiToUtf16(std::string(data.begin(), data.end())));
    return store.SetValue(*key, posix::AnsiToUtf16(name), type, std::move(stored));
}

long DeleteRegValue(RegKeyHandle handle, const std::string& name) {
    RegistryStore& store = Store();
    std::shared_ptr<RegistryKey> key;
    if (const long status = KeyWithAccess(store, handle, kKeySetValue, key); status != kErrorSuccess)
        return status;
    return store.DeleteValue(*key, posix::AnsiToUtf16(name));
}

long DeleteRegKey(RegKeyHandle parent, const std::string& subKey) {
    RegistryStore& store = Store();
    std::shared_ptr<RegistryKey> parentKey;
    if (const long status = KeyWithAccess(store, parent, kNoAccessNeeded, parentKey); status != kErrorSuccess)
        return status;
    std::shared_ptr<RegistryKey> key;
    if (const long status = store.OpenKey(parentKey, posix::AnsiToUtf16(subKey), key);
        status != kErrorSuccess)
        return status;
    return store.DeleteKey(*key);
}

} // namespace platform
