#pragma once
// Thin file calls (CreateFileA, ReadFile, WriteFile, SetFilePointer, SetEndOfFile, CloseHandle,
// FindFirstFileA, GetFileAttributesA, SetFileAttributesA, CopyFileA). Paths are Windows paths in the
// ANSI code page. Calls that can fail return a Windows error code (kErrorSuccess on success).
//
// win32: forwards to kernel32.
// posix: maps the path through the prefix's dosdevices drive links, matching every component without
//        regard to case as Wine does; a path never leaves its drive's root. A file opened for writing
//        is replaced atomically (temporary file and rename) when its handle is closed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

enum class FileAccess { Read, ReadWrite };
// FILE_SHARE_* as the program uses them: none, or readers only.
enum class FileShare { None, Read };
enum class FileCreation { OpenExisting, CreateAlways };

// An open file; move-only, closed by its destructor.
class FileHandle {
public:
    class Impl;
    FileHandle() noexcept;
    explicit FileHandle(std::unique_ptr<Impl> impl) noexcept;
    FileHandle(FileHandle&&) noexcept;
    FileHandle& operator=(FileHandle&&) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    bool IsOpen() const noexcept { return impl_ != nullptr; }
    Impl& impl() noexcept { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// CreateFileA.
[[nodiscard]] long OpenFile(const std::string& path, FileAccess access, FileShare share, FileCreation creation,
                            FileHandle& result);
// ReadFile from the current position to the end of the file.
[[nodiscard]] long ReadToEnd(FileHandle& file, std::string& bytes);
// WriteFile at the current position.
[[nodiscard]] long WriteBytes(FileHandle& file, std::string_view bytes);
// SetFilePointer to the start of the file.
[[nodiscard]] long SeekToStart(FileHandle& file);
// SetEndOfFile at the current position.
[[nodiscard]] long TruncateAtPosition(FileHandle& file);
// CloseHandle; the posix backend commits a written file here. Closing a closed handle succeeds.
long CloseFile(FileHandle& file);

// FindFirstFileA on the path: true when it names an existing file that is not a directory.
bool FileExists(const std::string& path);
// GetFileAttributesA; kInvalidFileAttributes when the path does not exist.
std::uint32_t GetFileAttributesOf(const std::string& path);
// SetFileAttributesA.
bool SetFileAttributesOf(const std::string& path, std::uint32_t attributes);
// CopyFileA.
bool CopyFileOver(const std::string& source, const std::string& target, bool failIfExists);

} // namespace platform
