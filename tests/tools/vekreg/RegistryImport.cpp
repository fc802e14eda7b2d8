#include "RegistryImport.h"

#include "platform/Registry.h"
#include "platform/Win32Constants.h"

#include <string>
#include <utility>

namespace vekreg {
namespace {

constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// An open key, closed when it goes out of scope.
class OpenKey {
  public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (handle_.value != 0)
            platform::CloseRegKey(handle_);
    }
    platform::RegKeyHandle& handle() { return handle_; }

  private:
    platform::RegKeyHandle handle_{};
};

platform::RegKeyHandle RootHandle(RegRoot root) {
    switch (root) {
    case RegRoot::LocalMachine:
        return platform::kHkeyLocalMachine;
    case RegRoot::ClassesRoot:
        return platform::kHkeyClassesRoot;
    case RegRoot::CurrentUser:
        break;
    }
    return platform::kHkeyCurrentUser;
}

void Check(long status, const std::string& what, const RegeditEdit& edit) {
    if (status != platform::kErrorSuccess)
        throw RegeditError(what + " " + edit.keyPath + " failed with error " + std::to_string(status));
}

// Deletes subKey of parent with everything below it; a missing key is no error.
long DeleteTree(platform::RegKeyHandle parent, const std::string& subKey) {
    OpenKey key;
    long status = platform::OpenRegKey(parent, subKey, kKeyAllAccess, key.handle());
    if (status == platform::kErrorFileNotFound)
        return platform::kErrorSuccess;
    if (status != platform::kErrorSuccess)
        return status;
    for (;;) {
        std::string child;
        // Always the first subkey: each deletion moves the next one to index 0.
        status = platform::EnumRegSubKeyName(key.handle(), 0, child);
        if (status == platform::kErrorNoMoreItems)
            break;
        if (status != platform::kErrorSuccess)
            return status;
        status = DeleteTree(key.handle(), child);
        if (status != platform::kErrorSuccess)
            return status;
    }
    return platform::DeleteRegKey(parent, subKey);
}

void Apply(const RegeditEdit& edit) {
    const platform::RegKeyHandle root = RootHandle(edit.root);
    if (edit.kind == RegeditEdit::Kind::DeleteKey) {
        Check(DeleteTree(root, edit.keyPath), "deleting", edit);
        return;
    }
    OpenKey key;
    Check(platform::CreateRegKey(root, edit.keyPath, kKeyAllAccess, key.handle()), "creating", edit);
    if (edit.kind == RegeditEdit::Kind::SetValue) {
        Check(platform::WriteRegValue(key.handle(), edit.valueName, edit.type, edit.data),
              "setting a value of", edit);
    } else if (edit.kind == RegeditEdit::Kind::DeleteValue) {
        const long status = platform::DeleteRegValue(key.handle(), edit.valueName);
        if (status != platform::kErrorFileNotFound)
            Check(status, "deleting a value of", edit);
    }
}

} // namespace

void ApplyEdits(const std::vector<RegeditEdit>& edits) {
    for (const RegeditEdit& edit : edits)
        Apply(edit);
}

} // namespace vekreg
