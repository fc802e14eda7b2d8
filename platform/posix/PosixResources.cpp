// The program's own RCDATA resources, compiled into the program from the files the .rc embeds.

#include "platform/Resources.h"
#include "platform/posix/OwnResourceTable.h"

namespace platform {

std::optional<std::string> LoadOwnRcData(int id) {
    const std::optional<std::string_view> bytes = posix::FindOwnResource(id);
    if (!bytes)
        return std::nullopt;
    return std::string(*bytes);
}

} // namespace platform
