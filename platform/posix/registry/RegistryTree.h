#pragma once
// The keys and values of one hive in memory, kept the way the Wine server keeps them: names are
// UTF-16 and compared without regard to case (each unit lower-cased, then the shorter name first),
// subkeys and values are held sorted in that order, which is also the order of enumeration and of
// the hive file. A key is owned by its parent; an open handle shares it, so that a deleted key stays
// valid (and marked deleted) while a handle still refers to it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

// Negative, zero or positive as a sorts before, with or after b in Wine's name order.
int CompareNames(std::u16string_view a, std::u16string_view b);
bool NamesEqual(std::u16string_view a, std::u16string_view b);

// Key times are FILETIMEs: 100 ns ticks since 1601; the hive file also gives them as Unix seconds.
inline constexpr std::int64_t kTicksPerSecond = 10000000;
inline constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000ll;

// The FILETIME of the current time.
std::uint64_t CurrentFileTime();

struct RegistryValue {
    std::u16string name; // empty for the default value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data; // as stored: string types are UTF-16LE with their NULs
};

class RegistryKey : public std::enable_shared_from_this<RegistryKey> {
  public:
    explicit RegistryKey(std::u16string name, std::uint64_t modified = 0);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const std::u16string& Name() const { return name_; }
    RegistryKey* Parent() const { return parent_; }
    bool IsDeleted() const { return deleted_; }

    std::uint64_t Modified() const { return modified_; }
    void SetModified(std::uint64_t fileTime) { modified_ = fileTime; }
    // The key changed now: its time is now and it and its parents are marked changed.
    void Touch();
    // Marks the key and its parents as changed (a hive whose root is changed must be saved).
    void MarkChanged();
    bool IsChanged() const { return changed_; }
    void ClearChanged();

    const std::optional<std::u16string>& ClassName() const { return className_; }
    void SetClassName(std::optional<std::u16string> className) { className_ = std::move(className); }
    bool IsLink() const { return isLink_; }
    void SetLink(bool isLink) { isLink_ = isLink; }

    // Subkeys, in Wine's order.
    const std::vector<std::shared_ptr<RegistryKey>>& SubKeys() const { return subKeys_; }
    std::shared_ptr<RegistryKey> FindSubKey(std::u16string_view name) const;
    // Adds a new subkey (the name must not exist yet) and returns it.
    std::shared_ptr<RegistryKey> AddSubKey(std::u16string name, std::uint64_t modified);
    // Detaches a subkey and marks it and everything below it deleted.
    void RemoveSubKey(const RegistryKey& subKey);
    // The subkey named Wow6432Node that holds this key's 32-bit view, if any.
    RegistryKey* Wow6432Node() const;

    // Values, in Wine's order.
    const std::vector<RegistryValue>& Values() const { return values_; }
    const RegistryValue* FindValue(std::u16string_view name) const;
    // Adds or replaces a value without touching the key (for loading).
    RegistryValue& PutValue(std::u16string name, std::uint32_t type, std::vector<std::uint8_t> data);
    // Removes a value; false when there is none of that name.
    bool RemoveValue(std::u16string_view name);

  private:
    void MarkDeleted();

    std::u16string name_;
    RegistryKey* parent_ = nullptr;
    std::uint64_t modified_ = 0;
    bool changed_ = false;
    bool deleted_ = false;
    bool isLink_ = false;
    std::optional<std::u16string> className_;
    std::vector<std::shared_ptr<RegistryKey>> subKeys_;
    std::vector<RegistryValue> values_;
};

bool IsWow6432NodeName(std::u16string_view name);

// The names of a key path; runs of backslashes separate like one, and a trailing one is ignored.
std::vector<std::u16string_view> SplitKeyPath(std::u16string_view path);

} // namespace platform::posix
