#include "MachineHiveFiles.h"

#include "platform/Exceptions.h"
#include "registry/HiveReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {

namespace {

[[noreturn]] void ThrowFileError(const std::string& what, const std::filesystem::path& file, int error) {
    throw MachineError(what + " " + file.string() + ": " + std::strerror(error));
}

// Writes all of the text, retrying short writes.
bool WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(fd, text.data() + written, text.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

} // namespace

std::optional<Hive> LoadHiveFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowFileError("Cannot read the registry file", file, errno);
    }
    std::string text;
    char buffer[65536];
    ssize_t result = 0;
    while ((result = ::read(fd, buffer, sizeof(buffer))) != 0) {
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0) {
            const int readError = errno;
            ::close(fd);
            ThrowFileError("Cannot read the registry file", file, readError);
        }
        text.append(buffer, static_cast<std::size_t>(result));
    }
    ::close(fd);
    return ReadHive(text, file.string(), std::cerr);
}

void ReplaceHiveFile(const std::filesystem::path& file, const std::string& text) {
    std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        ThrowFileError("Cannot create a temporary file for", file, errno);
    struct stat original {};
    const mode_t mode = ::stat(file.c_str(), &original) == 0 ? (original.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        ThrowFileError("Cannot write the registry file", file, written ? errno : writeError);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        ThrowFileError("Cannot replace the registry file", file, renameError);
    }
}

} // namespace platform::posix
