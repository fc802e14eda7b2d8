// The numbers of Win32Constants.h are the real Windows values: the win32 backend passes them through
// unchanged, so any difference would be a silent fault. The compiler checks them here.

#include "Win32Api.h"
#include "platform/Registry.h"
#include "platform/Win32Constants.h"

#include <shlobj.h>

namespace platform {

static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(kErrorFileExists == ERROR_FILE_EXISTS);
static_assert(kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(kErrorBadPathName == ERROR_BAD_PATHNAME);
static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(kErrorKeyDeleted == ERROR_KEY_DELETED);
static_assert(kErrorResourceTypeNotFound == ERROR_RESOURCE_TYPE_NOT_FOUND);
static_assert(kErrorResourceNameNotFound == ERROR_RESOURCE_NAME_NOT_FOUND);

static_assert(kRegNone == REG_NONE);
static_assert(kRegSz == REG_SZ);
static_assert(kRegExpandSz == REG_EXPAND_SZ);
static_assert(kRegBinary == REG_BINARY);
static_assert(kRegDword == REG_DWORD);
static_assert(kRegMultiSz == REG_MULTI_SZ);

static_assert(kKeyQueryValue == KEY_QUERY_VALUE);
static_assert(kKeySetValue == KEY_SET_VALUE);
static_assert(kKeyCreateSubKey == KEY_CREATE_SUB_KEY);
static_assert(kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(kKeyRead == KEY_READ);
static_assert(kKeyWriteAccess == (KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY));
static_assert(kKeyExistsAccess == (STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS));

static_assert(kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES);
static_assert(kFileAttributeReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY);
static_assert(kFileAttributeArchive == FILE_ATTRIBUTE_ARCHIVE);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);

static_assert(kMbOk == MB_OK);
static_assert(kMbIconError == MB_ICONERROR);
static_assert(kMbTaskModal == MB_TASKMODAL);
static_assert(kCsidlAppData == CSIDL_APPDATA);
static_assert(kSwHide == SW_HIDE);
// The predefined keys are pointer casts in the headers, which no constant expression can compare.

} // namespace platform
