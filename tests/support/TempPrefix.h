#pragma once
// A temporary Wine prefix for tests, laid out as Wine lays one out: system.reg and user.reg (a 64-bit
// prefix by default, with the Wow6432Node keys and link a booted prefix has), dosdevices/c: ->
// ../drive_c and z: -> /, drive_c/windows/system32 and the user's AppData\Roaming folder. A
// platform::Machine is open on it for the fixture's life; the folder is removed at the end.
//
// The helpers set up the machine before the code under test runs and read it afterwards. They go
// through the platform's registry calls, so a 32-bit view applies as it does to the program (in a
// 64-bit prefix HKLM\Software\X is Software\Wow6432Node\X in system.reg). They throw
// std::runtime_error when the registry refuses them.

#include "platform/Machine.h"
#include "platform/Registry.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veksetup::testing {

enum class PrefixArch { Win64, Win32 };

class TempPrefix {
  public:
    explicit TempPrefix(PrefixArch arch = PrefixArch::Win64);
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;
    ~TempPrefix();

    const std::filesystem::path& Folder() const { return folder_; }
    // The Windows user name of the prefix (the folder under C:\users).
    const std::string& UserName() const { return userName_; }
    // C:\users\<user>\AppData\Roaming, as a Windows path and as a host path.
    std::string AppDataPath() const;
    std::filesystem::path HostPath(const std::string& windowsPath) const;

    platform::Machine& Machine() { return *machine_; }
    // Commits and closes the machine, so the hive files on disk are final; Reopen opens it again.
    void CloseMachine();
    void Reopen();
    // The text of system.reg or user.reg as it is on disk.
    std::string SystemHiveText() const;
    std::string UserHiveText() const;

    void SetString(platform::RegKeyHandle root, const std::string& keyPath, const std::string& name,
                   const std::string& value);
    void SetExpandString(platform::RegKeyHandle root, const std::string& keyPath, const std::string& name,
                         const std::string& value);
    void SetDword(platform::RegKeyHandle root, const std::string& keyPath, const std::string& name,
                  std::uint32_t value);
    void SetValue(platform::RegKeyHandle root, const std::string& keyPath, const std::string& name,
                  std::uint32_t type, const std::vector<std::uint8_t>& data);
    void CreateKey(platform::RegKeyHandle root, const std::string& keyPath);

    bool KeyExists(platform::RegKeyHandle root, const std::string& keyPath) const;
    // The value's text (up to its first NUL) when it is a string; nothing when it is missing.
    std::optional<std::string> ReadString(platform::RegKeyHandle root, const std::string& keyPath,
                                          const std::string& name) const;
    std::optional<std::uint32_t> ReadDword(platform::RegKeyHandle root, const std::string& keyPath,
                                           const std::string& name) const;
    std::vector<std::string> ValueNames(platform::RegKeyHandle root, const std::string& keyPath) const;
    std::vector<std::string> SubKeyNames(platform::RegKeyHandle root, const std::string& keyPath) const;

    // Writes a file at a Windows path of the C: drive, creating its folders.
    void WriteFile(const std::string& windowsPath, const std::string& bytes) const;
    std::string ReadFile(const std::string& windowsPath) const;
    bool FileExists(const std::string& windowsPath) const;

  private:
    void LayOut(PrefixArch arch) const;

    std::filesystem::path folder_;
    std::string userName_;
    std::optional<platform::Machine> machine_;
};

} // namespace veksetup::testing
