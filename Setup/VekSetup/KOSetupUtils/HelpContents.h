#pragma once
// The product's help in the help contents files (".cnt") of the older IDEs.

#include <cstdint>
#include <string>

namespace kosetup {

// True for "Delphi" below version 8 and "CBuilder" 4 to 6 (names compared exactly).
bool IsHelpIde(const std::string& name, std::int32_t version);

// Registers HelpTitle in the IDE's contents files HelpFile and VclHelpFile under RootDir\Help.
// Not built yet: it changes nothing.
void UpdateHelpContents(const std::string& rootDir, const std::string& name, std::int32_t version,
                        const std::string& helpTitle, const std::string& helpFile,
                        const std::string& vclHelpFile, bool addIndex, bool addInclude);

} // namespace kosetup
