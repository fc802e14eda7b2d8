#include "registry/RegistryTree.h"

#include "registry/WineCase.h"

#include <algorithm>
#include <chrono>

namespace platform::posix {

namespace {

constexpr std::u16string_view kWow6432Node = u"Wow6432Node";

// The first item whose name does not sort before `name` (the item itself when it exists).
template <typename Items, typename NameOf>
auto LowerBoundByName(Items& items, std::u16string_view name, NameOf nameOf) {
    return std::lower_bound(
        items.begin(), items.end(), name,
        [&](const auto& item, std::u16string_view wanted) { return CompareNames(nameOf(item), wanted) < 0; });
}

std::u16string_view KeyName(const std::shared_ptr<RegistryKey>& key) {
    return key->Name();
}
std::u16string_view ValueName(const RegistryValue& value) {
    return value.name;
}

} // namespace

int CompareNames(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = static_cast<int>(WineToLower(a[i])) - static_cast<int>(WineToLower(b[i]));
        if (difference != 0)
            return difference;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    return CompareNames(a, b) == 0;
}

bool IsWow6432NodeName(std::u16string_view name) {
    return NamesEqual(name, kWow6432Node);
}

std::vector<std::u16string_view> SplitKeyPath(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = path.size();
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::uint64_t CurrentFileTime() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
    return static_cast<std::uint64_t>(kTicksFrom1601To1970 + ticks);
}

RegistryKey::RegistryKey(std::u16string name, std::uint64_t modified)
    : name_(std::move(name)), modified_(modified) {}

void RegistryKey::Touch() {
    modified_ = CurrentFileTime();
    MarkChanged();
}

void RegistryKey::MarkChanged() {
    for (RegistryKey* key = this; key != nullptr && !key->changed_; key = key->parent_)
        key->changed_ = true;
}

void RegistryKey::ClearChanged() {
    if (!changed_)
        return;
    changed_ = false;
    for (const auto& subKey : subKeys_)
        subKey->ClearChanged();
}

std::shared_ptr<RegistryKey> RegistryKey::FindSubKey(std::u16string_view name) const {
    const auto it = LowerBoundByName(subKeys_, name, KeyName);
    return it != subKeys_.end() && NamesEqual((*it)->name_, name) ? *it : nullptr;
}

std::shared_ptr<RegistryKey> RegistryKey::AddSubKey(std::u16string name, std::uint64_t modified) {
    const auto it = LowerBoundByName(subKeys_, name, KeyName);
    auto key = std::make_shared<RegistryKey>(std::move(name), modified);
    key->parent_ = this;
    subKeys_.insert(it, key);
    return key;
}

void RegistryKey::RemoveSubKey(const RegistryKey& subKey) {
    const auto it =
        std::find_if(subKeys_.begin(), subKeys_.end(), [&](const auto& key) { return key.get() == &subKey; });
    if (it == subKeys_.end())
        return;
    (*it)->MarkDeleted();
    (*it)->parent_ = nullptr;
    subKeys_.erase(it);
}

void RegistryKey::MarkDeleted() {
    deleted_ = true;
    for (const auto& subKey : subKeys_)
        subKey->MarkDeleted();
}

RegistryKey* RegistryKey::Wow6432Node() const {
    if (IsWow6432NodeName(name_))
        return nullptr;
    return FindSubKey(kWow6432Node).get();
}

const RegistryValue* RegistryKey::FindValue(std::u16string_view name) const {
    const auto it = LowerBoundByName(values_, name, ValueName);
    return it != values_.end() && NamesEqual(it->name, name) ? &*it : nullptr;
}

RegistryValue& RegistryKey::PutValue(std::u16string name, std::uint32_t type,
                                     std::vector<std::uint8_t> data) {
    auto it = LowerBoundByName(values_, name, ValueName);
    if (it == values_.end() || !NamesEqual(it->name, name))
        it = values_.insert(it, RegistryValue{std::move(name), 0, {}});
    it->type = type;
    it->data = std::move(data);
    return *it;
}

bool RegistryKey::RemoveValue(std::u16string_view name) {
    const auto it = LowerBoundByName(values_, name, ValueName);
    if (it == values_.end() || !NamesEqual(it->name, name))
        return false;
    values_.erase(it);
    return true;
}

} // namespace platform::posix
