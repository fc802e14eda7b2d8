// Files over kernel32.

#include "Win32Api.h"
#include "platform/Files.h"
#include "platform/Win32Constants.h"

namespace platform {

class FileHandle::Impl {
  public:
    explicit Impl(HANDLE handle) noexcept : handle_(handle) {}
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl() { Close(); }

    HANDLE handle() const noexcept { return handle_; }
    long Close() noexcept {
        if (handle_ == INVALID_HANDLE_VALUE)
            return kErrorSuccess;
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? kErrorSuccess : win32::LastErrorCode();
    }

  private:
    HANDLE handle_;
};

FileHandle::FileHandle() noexcept = default;
FileHandle::FileHandle(std::unique_ptr<Impl> impl) noexcept : impl_(std::move(impl)) {}
FileHandle::FileHandle(FileHandle&&) noexcept = default;
FileHandle& FileHandle::operator=(FileHandle&&) noexcept = default;
FileHandle::~FileHandle() = default;

long OpenFile(const std::string& path, FileAccess access, FileShare share, FileCreation creation,
              FileHandle& result) {
    const DWORD desired = access == FileAccess::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD sharing = share == FileShare::Read ? FILE_SHARE_READ : 0;
    const DWORD disposition = creation == FileCreation::OpenExisting ? OPEN_EXISTING : CREATE_ALWAYS;
    const HANDLE handle =
        ::CreateFileA(path.c_str(), desired, sharing, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return win32::LastErrorCode();
    result = FileHandle(std::make_unique<FileHandle::Impl>(handle));
    return kErrorSuccess;
}

long ReadToEnd(FileHandle& file, std::string& bytes) {
    if (!file.IsOpen())
        return kErrorInvalidHandle;
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.impl().handle(), buffer, sizeof buffer, &got, nullptr))
            return win32::LastErrorCode();
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    bytes = std::move(content);
    return kErrorSuccess;
}

long WriteBytes(FileHandle& file, std::string_view bytes) {
    if (!file.IsOpen())
        return kErrorInvalidHandle;
    while (!bytes.empty()) {
        DWORD put = 0;
        if (!::WriteFile(file.impl().handle(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr))
            return win32::LastErrorCode();
        bytes.remove_prefix(put);
    }
    return kErrorSuccess;
}

long SeekToStart(FileHandle& file) {
    if (!file.IsOpen())
        return kErrorInvalidHandle;
    if (::SetFilePointer(file.impl().handle(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return win32::LastErrorCode();
    return kErrorSuccess;
}

long TruncateAtPosition(FileHandle& file) {
    if (!file.IsOpen())
        return kErrorInvalidHandle;
    return ::SetEndOfFile(file.impl().handle()) ? kErrorSuccess : win32::LastErrorCode();
}

long CloseFile(FileHandle& file) {
    if (!file.IsOpen())
        return kErrorSuccess;
    const long status = file.impl().Close();
    file = FileHandle();
    return status;
}

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint32_t GetFileAttributesOf(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

bool SetFileAttributesOf(const std::string& path, std::uint32_t attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool CopyFileOver(const std::string& source, const std::string& target, bool failIfExists) {
    return ::CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

} // namespace platform
