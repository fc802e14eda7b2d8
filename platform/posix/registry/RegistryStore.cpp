#include "registry/RegistryStore.h"

#include "platform/Win32Constants.h"

namespace platform::posix {

namespace {

constexpr std::uint32_t kRegLink = 6;
constexpr std::u16string_view kClassesRootPath = u"Software\\Classes";
// What the predefined keys are opened with (MAXIMUM_ALLOWED grants everything).
constexpr std::uint32_t kAllAccess = 0xF003F;

} // namespace

RegistryStore::RegistryStore(Hive machine, Hive user)
    : machine_(std::move(machine)), user_(std::move(user)) {}

void RegistryStore::ReplaceHives(Hive machine, Hive user) {
    machine_ = std::move(machine);
    user_ = std::move(user);
    classesRoot_.reset();
}

std::shared_ptr<RegistryKey> RegistryStore::PredefinedKey(RegKeyHandle root) {
    if (root == kHkeyLocalMachine)
        return machine_.root;
    if (root == kHkeyCurrentUser)
        return user_.root;
    if (root == kHkeyClassesRoot && !classesRoot_) {
        // Opened on first use through the 32-bit view, and created if missing as Windows does; a
        // key made only to stand for the root is no change of its own that makes the hive be saved.
        const bool wasChanged = machine_.IsChanged();
        if (CreateKey(machine_.root, kClassesRootPath, classesRoot_) != kErrorSuccess)
            classesRoot_.reset();
        if (!wasChanged)
            machine_.root->ClearChanged();
    }
    if (root == kHkeyClassesRoot)
        return classesRoot_;
    return nullptr;
}

long RegistryStore::Resolve(RegKeyHandle handle, std::shared_ptr<RegistryKey>& key, std::uint32_t& access) {
    std::shared_ptr<RegistryKey> found;
    std::uint32_t grantedAccess = kAllAccess;
    if (const HandleTable::Entry* entry = handles_.Find(handle.value)) {
        found = entry->key;
        grantedAccess = entry->access;
    } else {
        found = PredefinedKey(handle);
    }
    if (!found)
        return kErrorInvalidHandle;
    if (found->IsDeleted())
        return kErrorKeyDeleted;
    key = std::move(found);
    access = grantedAccess;
    return kErrorSuccess;
}

RegKeyHandle RegistryStore::AddHandle(std::shared_ptr<RegistryKey> key, std::uint32_t access) {
    return RegKeyHandle{handles_.Add(std::move(key), access)};
}

long RegistryStore::CloseHandle(RegKeyHandle handle) {
    if (handles_.Remove(handle.value))
        return kErrorSuccess;
    // Closing a predefined key succeeds and leaves it usable.
    return PredefinedKey(handle) ? kErrorSuccess : kErrorInvalidHandle;
}

long RegistryStore::OpenKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                            std::shared_ptr<RegistryKey>& result) {
    const KeyLookupResult found = LookUpKey(Scope(), parent, path);
    if (found.status != kErrorSuccess)
        return found.status;
    if (!found.missing.empty())
        return kErrorFileNotFound;
    result = OpenedView(Scope(), found.key);
    return kErrorSuccess;
}

long RegistryStore::CreateKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                              std::shared_ptr<RegistryKey>& result) {
    const long status = CreateOneKey(parent, path, result);
    const auto names = SplitKeyPath(path);
    if (status != kErrorFileNotFound || names.size() < 2)
        return status;
    // The server creates one name at a time: the missing parents are created one by one, each from
    // the key the previous step opened, so every step sees the 32-bit view afresh.
    std::shared_ptr<RegistryKey> key = parent;
    for (const auto name : names) {
        std::shared_ptr<RegistryKey> next;
        if (const long stepStatus = CreateOneKey(key, name, next); stepStatus != kErrorSuccess)
            return stepStatus;
        key = std::move(next);
    }
    result = std::move(key);
    return kErrorSuccess;
}

long RegistryStore::CreateOneKey(const std::shared_ptr<RegistryKey>& parent, std::u16string_view path,
                                 std::shared_ptr<RegistryKey>& result) {
    const KeyLookupResult found = LookUpKey(Scope(), parent, path);
    if (found.status != kErrorSuccess)
        return found.status;
    if (found.missing.empty()) {
        result = OpenedView(Scope(), found.key);
        return kErrorSuccess;
    }
    if (found.missing.size() > 1)
        return kErrorFileNotFound;
    const std::uint64_t now = CurrentFileTime();
    std::shared_ptr<RegistryKey> created = found.key->AddSubKey(found.missing.front(), now);
    created->MarkChanged();
    found.key->Touch();
    result = std::move(created);
    return kErrorSuccess;
}

long RegistryStore::DeleteKey(RegistryKey& key) {
    RegistryKey* parent = key.Parent();
    if (parent == nullptr || !key.SubKeys().empty())
        return kErrorAccessDenied;
    parent->RemoveSubKey(key);
    parent->Touch();
    return kErrorSuccess;
}

long RegistryStore::SetValue(RegistryKey& key, std::u16string name, std::uint32_t type,
                             std::vector<std::uint8_t> data) {
    if (const RegistryValue* existing = key.FindValue(name)) {
        if (existing->type == type && !data.empty() && existing->data == data)
            return kErrorSuccess;
    }
    // A link holds nothing but its target.
    if (key.IsLink() && (type != kRegLink || !NamesEqual(name, kSymbolicLinkValueName)))
        return kErrorAccessDenied;
    key.PutValue(std::move(name), type, std::move(data));
    key.Touch();
    return kErrorSuccess;
}

long RegistryStore::DeleteValue(RegistryKey& key, std::u16string_view name) {
    if (!key.RemoveValue(name))
        return kErrorFileNotFound;
    key.Touch();
    return kErrorSuccess;
}

} // namespace platform::posix
