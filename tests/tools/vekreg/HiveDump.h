#pragma once
// The canonical dump of a prefix's two hives, as the scenario runner diffs them: every key and value as
// stored (no 32-bit view, so a write to the wrong view shows), no timestamps, one line each:
//   K <tab> HKLM|HKCU <tab> key path
//   V <tab> HKLM|HKCU <tab> key path <tab> value name <tab> type <tab> data as lower-case hex
// Paths and names are UTF-8, with \\ \" \n \r \t and \xNN (other control characters) escaped; the
// data are the stored bytes (UTF-16LE for the string types).

#include <filesystem>
#include <iosfwd>

namespace vekreg {

enum class HiveSelection { Both, LocalMachine, CurrentUser };

// Dumps system.reg (HKLM) and user.reg (HKCU) of the prefix, or one of them; a missing hive dumps
// nothing. Throws the hive reader's error for a file that is not a hive.
void DumpHives(const std::filesystem::path& prefix, HiveSelection selection, std::ostream& out);

} // namespace vekreg
