#pragma once
// REGEDIT4 text as a list of edits: the keys and values a .reg file creates, sets and deletes, with
// names and string data as ANSI (Windows-1252) bytes, the way a 32-bit "A" program would pass them.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vekreg {

struct RegeditError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class RegRoot { LocalMachine, CurrentUser, ClassesRoot };

struct RegeditEdit {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    RegRoot root = RegRoot::CurrentUser;
    std::string keyPath;   // below the root, without a leading backslash
    std::string valueName; // empty for the default value ("@")
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data; // string types with their terminating NUL
};

// Parses a whole REGEDIT4 file: the "REGEDIT4" header, [KEY] and [-KEY] sections, "name"= and @=
// values (strings, dword:, hex:, hex(N):, with backslash line continuations) and "name"=- deletions.
// Throws RegeditError naming the line of the first malformed entry.
std::vector<RegeditEdit> ParseRegedit4(std::string_view text);

} // namespace vekreg
