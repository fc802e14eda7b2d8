#include "platform/FileStream.h"

#include "platform/Exceptions.h"
#include "platform/SystemInfo.h"
#include "platform/Win32Constants.h"

namespace platform {

std::string SysErrorMessage(long code) {
    std::string text = SystemErrorText(code);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.pop_back();
    return text;
}

FileStream::FileStream(const std::string& fileName, FileStreamMode mode) {
    long status = kErrorSuccess;
    switch (mode) {
    case FileStreamMode::OpenReadDenyWrite:
        status = OpenFile(fileName, FileAccess::Read, FileShare::Read, FileCreation::OpenExisting, file_);
        break;
    case FileStreamMode::OpenReadWriteExclusive:
        status = OpenFile(fileName, FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting, file_);
        break;
    case FileStreamMode::Create:
        status = OpenFile(fileName, FileAccess::ReadWrite, FileShare::None, FileCreation::CreateAlways, file_);
        break;
    }
    if (status == kErrorSuccess)
        return;
    const std::string detail = "\"" + fileName + "\". " + SysErrorMessage(status);
    if (mode == FileStreamMode::Create)
        throw EFCreateError("Cannot create file " + detail);
    throw EFOpenError("Cannot open file " + detail);
}

FileStream::~FileStream() { CloseFile(file_); }

std::string FileStream::ReadToEnd() {
    std::string bytes;
    (void)platform::ReadToEnd(file_, bytes);
    return bytes;
}

void FileStream::Write(std::string_view bytes) { (void)WriteBytes(file_, bytes); }

void FileStream::SeekToStart() { (void)platform::SeekToStart(file_); }

void FileStream::Truncate() { (void)TruncateAtPosition(file_); }

} // namespace platform
