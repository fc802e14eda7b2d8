#include "registry/KeyLookup.h"

#include "platform/Win32Constants.h"
#include "registry/Utf16Bytes.h"

namespace platform::posix {

namespace {

constexpr std::u16string_view kRegistryPrefix = u"\\Registry\\";
// Links that lead to links: the server gives up on a chain this long.
constexpr int kMaxLinkDepth = 16;
// The longest key name, in UTF-16 units.
constexpr std::size_t kMaxKeyNameLength = 256;

// Software\Classes\Wow6432Node of a 64-bit prefix: the 32-bit classes, shared with the 64-bit ones.
bool IsSharedClassesNode(const KeyLookupScope& scope, const RegistryKey& key) {
    if (!scope.wow64 || !IsWow6432NodeName(key.Name()))
        return false;
    const RegistryKey* classes = key.Parent();
    const RegistryKey* software = classes ? classes->Parent() : nullptr;
    return software != nullptr && software->Parent() == scope.machine->root.get() &&
           NamesEqual(classes->Name(), u"Classes") && NamesEqual(software->Name(), u"Software");
}

// The 32-bit counterpart of a key: its own Wow6432Node, the key itself when it is one, else the
// same-named key in the counterpart of its parent (null when that does not exist).
RegistryKey* Wow6432CounterpartOf(RegistryKey* key) {
    if (key == nullptr)
        return nullptr;
    if (RegistryKey* node = key->Wow6432Node())
        return node;
    RegistryKey* parent = key->Parent();
    if (parent != nullptr && parent->Wow6432Node() == key)
        return key;
    RegistryKey* parentCounterpart = Wow6432CounterpartOf(parent);
    if (parentCounterpart == nullptr)
        return key;
    return parentCounterpart->FindSubKey(key->Name()).get();
}

std::shared_ptr<RegistryKey> Shared(RegistryKey* key) {
    return key ? key->shared_from_this() : nullptr;
}

class Walker {
  public:
    explicit Walker(const KeyLookupScope& scope) : scope_(scope) {}

    // The key-relative walk of the server: `wow64View` is off only for the absolute paths of links.
    KeyLookupResult Walk(std::shared_ptr<RegistryKey> key, std::vector<std::u16string> names, bool wow64View,
                         int linkDepth) {
        std::size_t next = 0;
        for (;;) {
            if (key->IsLink()) {
                const bool walkedAll = next == names.size();
                KeyLookupResult target = FollowLink(*key, linkDepth);
                if (target.status != kErrorSuccess)
                    return target;
                if (!target.missing.empty()) {
                    // A link may name a key still to be created, but only as the last name of a path.
                    if (!walkedAll)
                        return {kErrorFileNotFound, nullptr, {}};
                    return target;
                }
                key = target.key;
                if (walkedAll && wow64View && IsSharedClassesNode(scope_, *key))
                    key = Shared(key->Parent());
                continue;
            }
            if (next == names.size())
                return {kErrorSuccess, key, {}};
            if (names[next].size() > kMaxKeyNameLength)
                return {kErrorInvalidParameter, nullptr, {}};
            std::shared_ptr<RegistryKey> found = key->FindSubKey(names[next]);
            if (!found && wow64View && IsSharedClassesNode(scope_, *key)) {
                key = Shared(key->Parent());
                found = key->FindSubKey(names[next]);
            }
            if (!found)
                return {kErrorSuccess, key, {names.begin() + static_cast<std::ptrdiff_t>(next), names.end()}};
            ++next;
            if (wow64View && next < names.size() && !IsWow6432NodeName(names[next]))
                if (RegistryKey* node = found->Wow6432Node())
                    found = Shared(node);
            key = found;
        }
    }

  private:
    KeyLookupResult FollowLink(const RegistryKey& link, int linkDepth) {
        const RegistryValue* target = link.FindValue(kSymbolicLinkValueName);
        if (target == nullptr || linkDepth >= kMaxLinkDepth)
            return {kErrorFileNotFound, nullptr, {}};
        const std::u16string path = BytesToUtf16(target->data);
        if (path.size() < kRegistryPrefix.size() ||
            !NamesEqual(path.substr(0, kRegistryPrefix.size()), kRegistryPrefix))
            return {kErrorFileNotFound, nullptr, {}};
        std::vector<std::u16string> names;
        for (const auto name : SplitKeyPath(std::u16string_view(path).substr(kRegistryPrefix.size())))
            names.emplace_back(name);
        std::shared_ptr<RegistryKey> root = HiveRootOf(names);
        if (!root)
            return {kErrorFileNotFound, nullptr, {}};
        return Walk(root, std::move(names), false, linkDepth + 1);
    }

    // Takes the hive's own root path ("Machine", "User\S-1-5-...") off the names.
    std::shared_ptr<RegistryKey> HiveRootOf(std::vector<std::u16string>& names) const {
        for (const Hive* hive : {scope_.machine, scope_.user}) {
            if (hive == nullptr)
                continue;
            const auto rootNames = SplitKeyPath(hive->rootPath);
            // The root path starts with "REGISTRY", which the link's prefix has already taken.
            if (rootNames.size() < 2 || names.size() < rootNames.size() - 1)
                continue;
            bool matches = true;
            for (std::size_t i = 1; i < rootNames.size() && matches; ++i)
                matches = NamesEqual(names[i - 1], rootNames[i]);
            if (matches) {
                names.erase(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(rootNames.size() - 1));
                return hive->root;
            }
        }
        return nullptr;
    }

    const KeyLookupScope& scope_;
};

} // namespace

KeyLookupResult LookUpKey(const KeyLookupScope& scope, std::shared_ptr<RegistryKey> start,
                          std::u16string_view path) {
    if (!path.empty() && path.front() == u'\\')
        return {kErrorBadPathName, nullptr, {}};
    const auto names = SplitKeyPath(path);
    // Below Software\Classes the 32-bit view starts from the shared Wow6432Node.
    if (scope.wow64 && (names.empty() || !IsWow6432NodeName(names.front()))) {
        RegistryKey* counterpart = Wow6432CounterpartOf(start.get());
        if (counterpart != nullptr && IsSharedClassesNode(scope, *counterpart))
            start = Shared(counterpart);
    }
    return Walker(scope).Walk(std::move(start), {names.begin(), names.end()}, scope.wow64, 0);
}

std::shared_ptr<RegistryKey> OpenedView(const KeyLookupScope& scope, std::shared_ptr<RegistryKey> key) {
    if (!scope.wow64)
        return key;
    RegistryKey* node = key->Wow6432Node();
    return node != nullptr && !IsSharedClassesNode(scope, *node) ? Shared(node) : key;
}

} // namespace platform::posix
