#include "DebugString.h"

namespace platform::posix {

std::string QuoteLikeWineDebug(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default: {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte <= 0x7e) {
                quoted += c;
            } else {
                quoted += "\\x";
                quoted += kHex[byte >> 4];
                quoted += kHex[byte & 0x0f];
            }
        }
        }
    }
    return quoted + "\"";
}

} // namespace platform::posix
