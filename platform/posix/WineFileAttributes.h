#pragma once
// The DOS attributes of unix files as Wine maps them: directory or archive, read-only when nobody
// may write, hidden for dot files, and hidden and system kept in the extended attribute
// "user.DOSATTRIB" as Samba keeps them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace platform::posix {

// The attributes of the file at path, whose unix name is name and whose stat is info.
std::uint32_t WineAttributesOf(const std::filesystem::path& path, const std::string& name,
                               const struct stat& info);
// Sets the attributes as Wine does: read-only takes every write permission away (folders keep
// theirs); without it, write permission returns where read permission is, within the umask;
// hidden and system go to the extended attribute. False when the permissions cannot be changed.
bool SetWineAttributes(const std::filesystem::path& path, const struct stat& info, std::uint32_t attributes);
// Copies the kept hidden and system attributes of one file to another (open) file.
void CopyKeptAttributes(const std::filesystem::path& from, int toDescriptor);
// The permissions of a file the program creates: 0666 within the umask.
mode_t CreationMode();

} // namespace platform::posix
