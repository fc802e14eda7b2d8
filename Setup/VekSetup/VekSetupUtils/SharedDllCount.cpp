#include "VekSetupUtils/SharedDllCount.h"

#include "KOSetupUtils/IntegerText.h"
#include "platform/TRegistry.h"

#include <vector>

namespace veksetup {

namespace {

constexpr const char* kSharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr long kMaxBinaryCountSize = 4;

} // namespace

std::int32_t SharedDllCount(const std::string& fileName) {
    platform::TRegistry registry(platform::RegistryAccess::Read, platform::kHkeyLocalMachine);
    if (!registry.OpenKey(kSharedDllsKey, platform::KeyCreation::OpenExisting) ||
        !registry.ValueExists(fileName))
        return 0;
    switch (registry.GetDataType(fileName)) {
    case platform::RegDataType::String:
        return kosetup::StrToInt(registry.ReadString(fileName));
    case platform::RegDataType::Integer:
        return registry.ReadInteger(fileName);
    case platform::RegDataType::Binary: {
        const long size = registry.GetDataSize(fileName);
        if (size < 1 || size > kMaxBinaryCountSize)
            return 0;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        (void)registry.ReadBinaryData(fileName, bytes);
        std::uint32_t count = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            count |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
        return static_cast<std::int32_t>(count);
    }
    default:
        return 0;
    }
}

} // namespace veksetup
