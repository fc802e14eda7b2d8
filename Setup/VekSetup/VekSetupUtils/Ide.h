#pragma once
// One target IDE as the command line names it, with what every setup step needs to know about it.

#include <cstdint>
#include <string>
#include <vector>

namespace veksetup {

struct TIDE {
    std::string Name; // "Delphi" or "CBuilder", compared case-sensitively everywhere
    std::int32_t Version = 0;
    std::string PackageSuffix;
    std::string RegKey;  // from a root key, without a leading "\"
    std::string RootDir; // ends in "\"
    std::string HelpFile;
    std::string VclHelpFile;
    bool HasDotNet = false;
    bool HasWin32 = false;
    bool HasWin64 = false;
    bool HasOSX32 = false;
    bool HasIOS = false;
    bool HasAndroid = false;
};

using IdeList = std::vector<TIDE>;

inline bool IsDelphi(const TIDE& ide) { return ide.Name == "Delphi"; }
inline bool IsCBuilder(const TIDE& ide) { return ide.Name == "CBuilder"; }

} // namespace veksetup
