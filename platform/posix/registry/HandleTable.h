#pragma once
// The open registry handles of the emulated process: small numbers like the ones Windows hands
// out, each naming a key and the access it was opened with.

#include "registry/RegistryTree.h"

#include <cstdint>
#include <map>
#include <memory>

namespace platform::posix {

class HandleTable {
  public:
    struct Entry {
        std::shared_ptr<RegistryKey> key;
        std::uint32_t access = 0;
    };

    std::uintptr_t Add(std::shared_ptr<RegistryKey> key, std::uint32_t access);
    // Null when the handle is not open.
    const Entry* Find(std::uintptr_t handle) const;
    // False when the handle is not open.
    bool Remove(std::uintptr_t handle);
    std::size_t Size() const { return entries_.size(); }

  private:
    // Windows hands out handles as multiples of four; these never meet a predefined key's value.
    static constexpr std::uintptr_t kFirstHandle = 0x40;
    static constexpr std::uintptr_t kHandleStep = 4;

    std::map<std::uintptr_t, Entry> entries_;
};

} // namespace platform::posix
