#pragma once
// The registry of the emulated machine: HKEY_LOCAL_MACHINE (system.reg) and HKEY_CURRENT_USER
// (user.reg) in memory, HKEY_CLASSES_ROOT over HKLM\Software\Classes, the open handles, and the
// operations of the registry calls with the Wine server's results (Windows error codes).

#include "platform/Registry.h"
#include "registry/HandleTable.h"
#include "registry/Hive.h"
#include "registry/KeyLookup.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

class RegistryStore {
  public:
    RegistryStore(Hive machine, Hive user);
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    Hive& MachineHive() { return machine_; }
    Hive& UserHive() { return user_; }
    // Takes freshly loaded hives; handles still open keep the keys of the old ones.
    void ReplaceHives(Hive machine, Hive user);
    // A 64-bit prefix: the program sees the 32-bit views.
    bool IsWow64() const { return machine_.arch == HiveArch::Win64; }

    // The key and access of an open handle or predefined root: kErrorInvalidHandle for an unknown
    // handle, kErrorKeyDeleted for a key deleted since it was opened.
    [[nodiscard]] long Resolve(RegKeyHandle handle, std::shared_ptr<RegistryKey>& key, std::uint32_t& access);
    [[nodiscard]] RegKeyHandle AddHandle(std::shared_ptr<RegistryKey> key, std::uint32_t access);
    [[nodiscard]] long CloseHandle(RegKeyHandle handle);
    std::size_t OpenHandleCount() const { return handles_.Size(); }

    [[nodiscard]] long OpenKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                               std::shared_ptr<RegistryKey>& result);
    // Opens the key, creating it and its missing parents (each new key's parent is touched).
    [[nodiscard]] long CreateKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                                 std::shared_ptr<RegistryKey>& result);
    // Deletes a key that has no subkeys; kErrorAccessDenied for one that has, or for a hive's root.
    [[nodiscard]] long DeleteKey(RegistryKey& key);
    // Sets a value; setting the same type and data again changes nothing, not even the key's time.
    [[nodiscard]] long SetValue(RegistryKey& key, std::u16string name, std::uint32_t type,
                                std::vector<std::uint8_t> data);
    [[nodiscard]] long DeleteValue(RegistryKey& key, std::u16string_view name);

  private:
    KeyLookupScope Scope() const { return {&machine_, &user_, IsWow64()}; }
    long CreateOneKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                      std::shared_ptr<RegistryKey>& result);
    std::shared_ptr<RegistryKey> PredefinedKey(RegKeyHandle root);

    Hive machine_;
    Hive user_;
    std::shared_ptr<RegistryKey> classesRoot_;
    HandleTable handles_;
};

} // namespace platform::posix
