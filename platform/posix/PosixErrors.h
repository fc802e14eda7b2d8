#pragma once
// Native error numbers of the posix backend as Windows error codes: the one place they are converted.

namespace platform::posix {

// Codes the emulation produces beyond those the program names in Win32Constants.h.
inline constexpr long kErrorTooManyOpenFiles = 4;
inline constexpr long kErrorNotEnoughMemory = 8;
inline constexpr long kErrorWriteProtect = 19;
inline constexpr long kErrorGenFailure = 31;
inline constexpr long kErrorDiskFull = 112;
inline constexpr long kErrorInvalidName = 123;
inline constexpr long kErrorFilenameTooLong = 206;

// The Windows error code Wine reports for an errno value of a file call.
long WindowsErrorFromErrno(int error);

} // namespace platform::posix
