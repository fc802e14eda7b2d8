#pragma once
// Applies REGEDIT4 edits through the platform's registry calls, as a 32-bit program would make them:
// on a 64-bit prefix HKEY_LOCAL_MACHINE\Software lands in Wow6432Node, like the IDEs' own keys.

#include "RegeditText.h"

#include <vector>

namespace vekreg {

// Applies the edits in order on the open machine. [-KEY] deletes the key with all its subkeys; deleting
// a missing key or value is no error, as for regedit. Throws RegeditError when a call fails.
void ApplyEdits(const std::vector<RegeditEdit>& edits);

} // namespace vekreg
