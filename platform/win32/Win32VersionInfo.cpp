// The fixed version record of a file, over version.dll.

#include "Win32Api.h"
#include "platform/VersionInfo.h"

#include <vector>

namespace platform {

std::optional<ProductVersion> ReadProductVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<std::uint8_t> buffer(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, buffer.data()))
        return std::nullopt;
    void* block = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!::VerQueryValueA(buffer.data(), root, &block, &length) || block == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    if (fixed->dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return ProductVersion{fixed->dwProductVersionMS, fixed->dwProductVersionLS};
}

} // namespace platform
