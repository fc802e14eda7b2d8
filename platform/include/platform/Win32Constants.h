#pragma once
// Numbers of the Windows API that cross the platform interface. They are the real Windows values, so
// the win32 backend passes them through unchanged and the emulation reproduces them.

#include <cstdint>

namespace platform {

// Error codes (GetLastError, LSTATUS).
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorSharingViolation = 32;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorBadPathName = 161;
inline constexpr long kErrorAlreadyExists = 183;
inline constexpr long kErrorKeyDeleted = 1018;
inline constexpr long kErrorResourceTypeNotFound = 1813;
inline constexpr long kErrorResourceNameNotFound = 1814;

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Registry access masks used by the program.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWriteAccess = 0x2001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
inline constexpr std::uint32_t kKeyExistsAccess = 0x20009;

// File attributes.
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;

// Message box styles and results.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbTaskModal = 0x2000;

// Shell folders.
inline constexpr int kCsidlAppData = 26;

// Show-window commands.
inline constexpr std::uint16_t kSwHide = 0;

} // namespace platform
