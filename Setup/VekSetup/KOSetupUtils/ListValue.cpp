#include "KOSetupUtils/ListValue.h"

#include "platform/Locale.h"
#include "platform/TRegistry.h"

#include <algorithm>

namespace kosetup {

std::vector<std::string> SplitListValue(const std::string& text) {
    std::vector<std::string> entries;
    std::string current;
    for (char c : text) {
        if (c == ';') {
            entries.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        entries.push_back(std::move(current));
    return entries;
}

std::string JoinListValue(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        if (entry.empty())
            continue;
        if (!text.empty())
            text.push_back(';');
        text += entry;
    }
    return text;
}

void EditListValue(const std::string& key, const std::string& valueName, const std::string& entry,
                   bool remove) {
    platform::TRegistry registry(platform::RegistryAccess::Write, platform::kHkeyCurrentUser);
    if (!registry.OpenKey(key, platform::KeyCreation::OpenExisting))
        return;
    std::vector<std::string> entries = SplitListValue(registry.ReadString(valueName));
    const auto equalsEntry = [&entry](const std::string& item) {
        return platform::EqualTextIgnoreCase(item, entry);
    };
    if (remove) {
        for (std::string& item : entries)
            if (equalsEntry(item))
                item.clear();
    } else {
        // Present already: the stored text stays exactly as it is.
        if (std::any_of(entries.begin(), entries.end(), equalsEntry))
            return;
        entries.push_back(entry);
    }
    registry.WriteString(valueName, JoinListValue(entries));
}

} // namespace kosetup
