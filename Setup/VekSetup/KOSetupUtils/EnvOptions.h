#pragma once
// The IDE's per-user EnvOptions.proj (IDE versions 11 and later): the product's directories in the
// per-platform library and include path elements, kept in step with the registry.

#include <cstdint>
#include <optional>
#include <string>

namespace kosetup {

// The IDE's settings folder below the application-data folder ("Embarcadero\BDS\9.0" for version 16),
// or nothing for a version that keeps no EnvOptions.proj (below 11, 13, above 24).
std::optional<std::string> EnvOptionsSettingsFolder(std::int32_t version);

// The full name of the version's EnvOptions.proj under the user's application-data folder, or nothing
// when the version has no settings folder or the folder cannot be found.
std::optional<std::string> EnvOptionsFileName(std::int32_t version);

// Adds Entry to (or with Uninstall removes it from) one list element of the version's EnvOptions.proj;
// the tags are in upper case, the group tags both empty for an element outside a property group.
// Only the edited span of the file changes. A missing file, group or element, an empty entry or a
// version without a settings folder changes nothing. A file that exists but cannot be opened for
// reading and writing raises EFOpenError naming the file; the file is then unchanged.
void UpdateEnvOptionsPath(std::int32_t version, const std::string& groupStart, const std::string& groupEnd,
                          const std::string& elementStart, const std::string& elementEnd,
                          const std::string& entry, bool uninstall);

// The per-platform operations: each makes its calls of UpdateEnvOptionsPath one after the other, so a
// list gains the entries in the order of the arguments (Bin before Lib).
//
// Win32: no property group below version 16; Delphi's element is "WIN32LIBRARYPATH" below 15.
void UpdateEnvOptionsWin32(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall);
void UpdateEnvOptionsWin64(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall);
void UpdateEnvOptionsOSX32(std::int32_t version, const std::string& bin, const std::string& lib,
                           const std::string& include, bool uninstall);
// The "IOSDEVICE" group below version 22, "IOSDEVICE32" from 22.
void UpdateEnvOptionsIOSDevice(std::int32_t version, const std::string& lib, const std::string& include,
                               bool uninstall);
void UpdateEnvOptionsIOSDevice64(std::int32_t version, const std::string& lib, const std::string& include,
                                 bool uninstall);
void UpdateEnvOptionsAndroid(std::int32_t version, const std::string& lib, const std::string& include,
                             bool uninstall);
// The .NET library path and namespace search path, outside any property group (version 11).
void UpdateEnvOptionsDotNet(std::int32_t version, const std::string& bin, const std::string& lib,
                            bool uninstall);
void UpdateEnvOptionsNamespace(std::int32_t version, const std::string& nameSpace, bool uninstall);

} // namespace kosetup
