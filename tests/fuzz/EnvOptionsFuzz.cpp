// Fuzz target of the EnvOptions.proj splice. Input: one byte of options (bit 0: uninstall; the next
// bits: which platform group and element), the entry up to the first line feed, then the file text.
// Beyond not crashing, every edit must leave the bytes outside one span unchanged, change the length
// by what the entry accounts for, and be undone or repeated consistently.

#include "KOSetupUtils/EnvOptionsSplice.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using kosetup::EnvOptionsTags;

struct Target {
    std::string_view PlatformWord; // empty: no property group
    std::string_view Element;
};
constexpr Target kTargets[] = {
    {"", "WIN32LIBRARYPATH"},         {"WIN32", "DELPHILIBRARYPATH"},       {"WIN64", "DELPHILIBRARYPATH"},
    {"WIN64", "CBUILDERINCLUDEPATH"}, {"IOSDEVICE64", "DELPHILIBRARYPATH"}, {"WIN32", "CBUILDERLIBRARYPATH"},
    {"", "DOTNETLIBRARYPATH"},        {"", "DOTNETNAMESPACESEARCHPATH"},
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// True when `longer` is `shorter` with one run of bytes inserted somewhere.
bool IsOneSpliceOf(std::string_view longer, std::string_view shorter) {
    if (longer.size() < shorter.size())
        return false;
    const auto prefix = static_cast<std::size_t>(
        std::mismatch(shorter.begin(), shorter.end(), longer.begin()).first - shorter.begin());
    const auto suffix = static_cast<std::size_t>(
        std::mismatch(shorter.rbegin(), shorter.rend(), longer.rbegin()).first - shorter.rbegin());
    return prefix + suffix >= shorter.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool uninstall = (data[0] & 1) != 0;
    const Target& target = kTargets[(data[0] >> 1) % std::size(kTargets)];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t lineEnd = rest.find('\n');
    const std::string_view entry = lineEnd == std::string_view::npos ? rest : rest.substr(0, lineEnd);
    const std::string_view text =
        lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);

    const std::string groupStart =
        target.PlatformWord.empty() ? "" : kosetup::PropertyGroupStart(target.PlatformWord);
    const EnvOptionsTags tags{groupStart, target.PlatformWord.empty() ? "" : kosetup::kPropertyGroupEnd,
                              kosetup::ElementStartTag(target.Element),
                              kosetup::ElementEndTag(target.Element)};
    const std::optional<std::string> edited = kosetup::SpliceEnvOptionsEntry(text, tags, entry, uninstall);
    if (!edited)
        return 0;

    const std::size_t length = kosetup::EnvOptionsEntryText(entry).size();
    // Entries holding tags or separators can change what the next search finds; the consistency of
    // repeated calls is only promised for plain entries.
    const bool plainEntry = entry.find_first_of("<>;") == std::string_view::npos;
    if (uninstall) {
        // The entry, perhaps its trailing backslash and perhaps the separator before it.
        Require(edited->size() + length <= text.size() && text.size() <= edited->size() + length + 2);
        Require(IsOneSpliceOf(text, *edited));
        return 0;
    }
    Require(edited->size() == text.size() + length || edited->size() == text.size() + length + 1);
    Require(IsOneSpliceOf(*edited, text));
    if (!plainEntry)
        return 0;
    // Adding again finds the entry; removing it gives back the text, but for a list that ended in ";"
    // before the entry was added, which loses that separator.
    Require(!kosetup::SpliceEnvOptionsEntry(*edited, tags, entry, false).has_value());
    const std::optional<std::string> restored = kosetup::SpliceEnvOptionsEntry(*edited, tags, entry, true);
    Require(restored.has_value());
    Require(*restored == text || (restored->size() + 1 == text.size() && IsOneSpliceOf(text, *restored)));
    return 0;
}
