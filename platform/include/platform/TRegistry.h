#pragma once
// The registry object of the run-time library: a root key and at most one open key, closed by the
// destructor. Every operation of the program creates one, uses one key and lets it go.
//
// Error contract: opening, the exists tests and deleting report failure by their result only and
// leave the object unchanged. Reads and writes raise ERegistryException with one of three texts,
// the value name standing for %s: "Invalid data type for '%s'", "Failed to get data for '%s'",
// "Failed to set data for '%s'".

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class RegistryAccess {
    Read,  // KEY_READ
    Write, // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
};

enum class KeyCreation { OpenExisting, CreateIfMissing };

enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

class TRegistry {
public:
    explicit TRegistry(RegistryAccess access, RegKeyHandle rootKey = kHkeyCurrentUser) noexcept;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    ~TRegistry();

    void SetRootKey(RegKeyHandle rootKey);
    // Opens the key path (a leading "\" is dropped) from the root; CreateIfMissing creates it and its
    // missing parents. Closes the key that was open before on success.
    [[nodiscard]] bool OpenKey(const std::string& path, KeyCreation creation);
    void CloseKey();

    // Every value name of the open key in the store's order; none when the key cannot be queried.
    std::vector<std::string> GetValueNames() const;
    bool ValueExists(const std::string& name) const;
    bool KeyExists(const std::string& path) const;
    RegDataType GetDataType(const std::string& name) const;
    // The data size in bytes; -1 when there is no such value.
    long GetDataSize(const std::string& name) const;

    std::string ReadString(const std::string& name) const;
    std::int32_t ReadInteger(const std::string& name) const;
    // Copies the data into buffer (whose size is the limit) and returns its size; 0 when missing.
    std::size_t ReadBinaryData(const std::string& name, std::vector<std::uint8_t>& buffer) const;
    void WriteString(const std::string& name, const std::string& value);

    bool DeleteValue(const std::string& name);
    // Deletes the key with all its subkeys, deepest first.
    bool DeleteKey(const std::string& path);

private:
    struct DataInfo {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    bool QueryDataInfo(const std::string& name, DataInfo& info) const;
    RegKeyHandle BaseKey() const { return rootKey_; }
    static std::string StripLeadingBackslash(const std::string& path);

    std::uint32_t access_;
    RegKeyHandle rootKey_;
    RegKeyHandle currentKey_{};
};

} // namespace platform
