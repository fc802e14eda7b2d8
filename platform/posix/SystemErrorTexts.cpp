#include "SystemErrorTexts.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace platform::posix {

namespace {

struct ErrorText {
    long code;
    std::string_view text;
};

// FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, code, language 0) under
// Wine 8, for the codes the file and registry emulation can produce and their neighbours; sorted.
constexpr ErrorText kTexts[] = {
    {0, "Success.\r\n"},
    {1, "Invalid function.\r\n"},
    {2, "File not found.\r\n"},
    {3, "Path not found.\r\n"},
    {4, "Too many open files.\r\n"},
    {5, "Access denied.\r\n"},
    {6, "Invalid handle.\r\n"},
    {8, "Not enough memory.\r\n"},
    {12, "Invalid access.\r\n"},
    {13, "Invalid data.\r\n"},
    {14, "Out of memory.\r\n"},
    {15, "Invalid drive.\r\n"},
    {16, "Can't delete current directory.\r\n"},
    {17, "Not same device.\r\n"},
    {18, "No more files.\r\n"},
    {19, "Write protected.\r\n"},
    {20, "Bad unit.\r\n"},
    {21, "Not ready.\r\n"},
    {23, "CRC error.\r\n"},
    {24, "Bad length.\r\n"},
    {25, "Seek error.\r\n"},
    {29, "Write fault.\r\n"},
    {30, "Read fault.\r\n"},
    {31, "General failure.\r\n"},
    {32, "Sharing violation.\r\n"},
    {33, "Lock violation.\r\n"},
    {39, "Disk full.\r\n"},
    {50, "Request not supported.\r\n"},
    {53, "Bad network path.\r\n"},
    {80, "File exists.\r\n"},
    {82, "Cannot create.\r\n"},
    {87, "Invalid parameter.\r\n"},
    {110, "Open failed.\r\n"},
    {111, "Buffer overflow.\r\n"},
    {112, "Disk full.\r\n"},
    {123, "Invalid name.\r\n"},
    {145, "Directory is not empty.\r\n"},
    {161, "Path is invalid.\r\n"},
    {183, "File already exists.\r\n"},
    {206, "File name is too long.\r\n"},
    {234, "More data available.\r\n"},
    {259, "No more data available.\r\n"},
    {267, "Directory name invalid.\r\n"},
    {1005, "Unrecognized volume.\r\n"},
    {1006, "File invalid.\r\n"},
    {1009, "Registry corrupt.\r\n"},
    {1010, "Invalid key.\r\n"},
    {1011, "Can't open registry key.\r\n"},
    {1012, "Can't read registry key.\r\n"},
    {1013, "Can't write registry key.\r\n"},
    {1015, "Registry is corrupt.\r\n"},
    {1016, "I/O to registry failed.\r\n"},
    {1018, "Key deleted.\r\n"},
    {1021, "Subkey must be volatile.\r\n"},
    {1392, "File or directory corrupt.\r\n"},
    {1813, "Resource type not found.\r\n"},
    {1814, "Resource name not found.\r\n"},
};

} // namespace

std::string WineSystemErrorText(long code) {
    const auto found =
        std::lower_bound(std::begin(kTexts), std::end(kTexts), code,
                         [](const ErrorText& entry, long wanted) { return entry.code < wanted; });
    return found != std::end(kTexts) && found->code == code ? std::string(found->text) : std::string();
}

} // namespace platform::posix
