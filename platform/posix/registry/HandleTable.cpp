#include "registry/HandleTable.h"

namespace platform::posix {

std::uintptr_t HandleTable::Add(std::shared_ptr<RegistryKey> key, std::uint32_t access) {
    // The lowest free value, as Windows reuses closed handles.
    std::uintptr_t handle = kFirstHandle;
    while (entries_.count(handle) != 0)
        handle += kHandleStep;
    entries_.emplace(handle, Entry{std::move(key), access});
    return handle;
}

const HandleTable::Entry* HandleTable::Find(std::uintptr_t handle) const {
    const auto it = entries_.find(handle);
    return it == entries_.end() ? nullptr : &it->second;
}

bool HandleTable::Remove(std::uintptr_t handle) {
    return entries_.erase(handle) != 0;
}

} // namespace platform::posix
