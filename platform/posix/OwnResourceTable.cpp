#include "platform/posix/OwnResourceTable.h"

#include <map>

namespace platform::posix {

namespace {

// Filled by the registrations' constructors during static initialisation, read-only afterwards.
std::map<int, std::string_view>& Resources() {
    static std::map<int, std::string_view> resources;
    return resources;
}

} // namespace

OwnResourceRegistration::OwnResourceRegistration(int id, const unsigned char* bytes, std::size_t size) {
    Resources()[id] = std::string_view(reinterpret_cast<const char*>(bytes), size);
}

std::optional<std::string_view> FindOwnResource(int id) {
    const auto& resources = Resources();
    const auto found = resources.find(id);
    if (found == resources.end())
        return std::nullopt;
    return found->second;
}

} // namespace platform::posix
