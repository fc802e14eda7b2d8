#pragma once
// The run-time library's file stream: opens a file in one of the modes the program uses and raises
// the platform's file errors when it cannot ("Cannot open file "<name>". <system message>" as
// EFOpenError, "Cannot create file ..." as EFCreateError). The file is closed by the destructor.

#include "platform/Files.h"

#include <string>
#include <string_view>

namespace platform {

enum class FileStreamMode {
    OpenReadDenyWrite,      // reading, others may only read (how text-line lists are loaded)
    OpenReadWriteExclusive, // an existing file for reading and writing, no sharing
    Create,                 // created or emptied, no sharing (how text-line lists are saved)
};

class FileStream {
public:
    FileStream(const std::string& fileName, FileStreamMode mode);
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    ~FileStream();

    // The bytes from the current position to the end; the byte count read is not checked.
    std::string ReadToEnd();
    void Write(std::string_view bytes);
    void SeekToStart();
    // Sets the length to the current position.
    void Truncate();

private:
    FileHandle file_;
};

// The system's message for an error code with trailing blanks, line ends and full stops removed, as
// the run-time library shows it in its errors.
std::string SysErrorMessage(long code);

} // namespace platform
