#include "KOSetupUtils/RegValueUtils.h"

#include "KOSetupUtils/TextCase.h"
#include "platform/Locale.h"
#include "platform/TRegistry.h"

namespace kosetup {

namespace {

using platform::KeyCreation;
using platform::RegistryAccess;
using platform::TRegistry;

RegValue ReadByType(const TRegistry& registry, const std::string& name) {
    switch (registry.GetDataType(name)) {
    case platform::RegDataType::String:
        return registry.ReadString(name);
    case platform::RegDataType::Integer:
        return registry.ReadInteger(name);
    default:
        return std::string();
    }
}

bool ReadsAppmethod(const std::string& key, const std::string& valueName) {
    TRegistry registry(RegistryAccess::Read, platform::kHkeyCurrentUser);
    if (!registry.OpenKey(key, KeyCreation::OpenExisting))
        return false;
    return AsciiUpperCase(registry.ReadString(valueName)) == "APPMETHOD";
}

} // namespace

bool IsEmptyRegValue(const RegValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr && text->empty();
}

void SetRegValue(const std::string& key, const std::string& name, const std::string& value, bool uninstall,
                 bool canCreate, platform::RegKeyHandle root) {
    TRegistry registry(RegistryAccess::Write, root);
    if (!registry.OpenKey(key, canCreate ? KeyCreation::CreateIfMissing : KeyCreation::OpenExisting))
        return;
    for (const std::string& existing : registry.GetValueNames())
        if (platform::EqualTextIgnoreCase(existing, name))
            (void)registry.DeleteValue(existing);
    if (!uninstall && (!name.empty() || !value.empty()))
        registry.WriteString(name, value);
}

void DeleteValuesContaining(const std::string& key, const std::string& text) {
    TRegistry registry(RegistryAccess::Write, platform::kHkeyCurrentUser);
    if (text.empty() || !registry.OpenKey(key, KeyCreation::OpenExisting))
        return;
    const std::string folded = platform::UpperCaseLocale(text);
    for (const std::string& name : registry.GetValueNames())
        if (platform::UpperCaseLocale(name).find(folded) != std::string::npos)
            (void)registry.DeleteValue(name);
}

RegValue ReadRegValue(const std::string& key, const std::string& name, platform::RegKeyHandle root) {
    TRegistry registry(RegistryAccess::Read, root);
    if (!registry.OpenKey(key, KeyCreation::OpenExisting) || !registry.ValueExists(name))
        return std::string();
    return ReadByType(registry, name);
}

RegValue FindRegValue(const std::string& key, const std::string& text, platform::RegKeyHandle root) {
    TRegistry registry(RegistryAccess::Read, root);
    if (text.empty() || !registry.OpenKey(key, KeyCreation::OpenExisting))
        return std::string();
    for (const std::string& name : registry.GetValueNames())
        if (name.find(text) != std::string::npos)
            return ReadByType(registry, name);
    return std::string();
}

bool IsAppmethodIde(const std::string& ideKey) {
    // Both markers are always read, so a malformed one fails the run whichever the other says.
    const bool byMaintenance = ReadsAppmethod(ideKey + "\\Maintenance", "ProductVersion");
    const bool byPersonalities = ReadsAppmethod(ideKey + "\\Personalities", "");
    return byMaintenance || byPersonalities;
}

void SetAssemblyFolder(const std::string& ideKey, const std::string& folder, const std::string& name,
                       bool uninstall) {
    const std::string entryKey = ideKey + "\\AssemblyFolders\\" + name;
    TRegistry registry(RegistryAccess::Write, platform::kHkeyCurrentUser);
    if (uninstall) {
        (void)registry.DeleteKey(entryKey);
        return;
    }
    if (registry.KeyExists(entryKey))
        (void)registry.DeleteKey(entryKey);
    // When the key cannot be made, the write below reports it.
    (void)registry.OpenKey(entryKey, KeyCreation::CreateIfMissing);
    registry.WriteString("", folder);
}

} // namespace kosetup
