// The program's own resources over kernel32.

#include "Win32Api.h"
#include "platform/Resources.h"

namespace platform {

std::optional<std::string> LoadOwnRcData(int id) {
    const HRSRC resource =
        ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (resource == nullptr)
        return std::nullopt;
    const HGLOBAL loaded = ::LoadResource(nullptr, resource);
    const void* bytes = loaded == nullptr ? nullptr : ::LockResource(loaded);
    if (bytes == nullptr)
        return std::nullopt;
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(nullptr, resource));
}

} // namespace platform
