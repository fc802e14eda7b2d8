#pragma once
// One hive file (system.reg or user.reg) in memory: the header as the file has it and the key tree.

#include "registry/RegistryTree.h"

#include <memory>
#include <string>

namespace platform::posix {

// The "#arch=" option of a hive: a win64 prefix shows 32-bit programs the Wow6432Node views.
enum class HiveArch { Unspecified, Win32, Win64 };

struct Hive {
    // Everything before the first key block, kept byte for byte.
    std::string header;
    HiveArch arch = HiveArch::Unspecified;
    // The registry path the keys are relative to, from the header (e.g. "REGISTRY\Machine").
    std::u16string rootPath;
    std::shared_ptr<RegistryKey> root = std::make_shared<RegistryKey>(u"", CurrentFileTime());

    bool IsChanged() const { return root->IsChanged(); }
};

// A hive with no keys and the header Wine writes for it.
Hive MakeEmptyHive(const std::u16string& rootPath, HiveArch arch);

} // namespace platform::posix
