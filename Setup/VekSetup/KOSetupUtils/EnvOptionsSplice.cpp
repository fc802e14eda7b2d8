#include "KOSetupUtils/EnvOptionsSplice.h"

#include "KOSetupUtils/TextCase.h"

namespace kosetup {

namespace {

constexpr auto npos = std::string_view::npos;

// The list of an element: the bytes from just after its opening tag up to its closing tag.
struct ListSpan {
    std::size_t Begin;
    std::size_t End; // the position of the element's closing tag
};

std::optional<ListSpan> FindList(std::string_view upper, const EnvOptionsTags& tags) {
    if (tags.ElementStart.empty() || tags.ElementEnd.empty())
        return std::nullopt;
    std::size_t groupStart = 0;
    std::size_t groupEnd = upper.empty() ? 0 : upper.size() - 1;
    if (!tags.GroupStart.empty()) {
        groupStart = upper.find(tags.GroupStart);
        if (groupStart == npos)
            return std::nullopt;
        groupEnd = upper.find(tags.GroupEnd, groupStart + 1);
        if (groupEnd == npos)
            return std::nullopt;
    }
    const std::size_t elementStart = upper.find(tags.ElementStart, groupStart + 1);
    if (elementStart == npos || elementStart >= groupEnd)
        return std::nullopt;
    const std::size_t elementEnd = upper.find(tags.ElementEnd, elementStart + 1);
    if (elementEnd == npos || elementEnd >= groupEnd)
        return std::nullopt;
    const std::size_t listBegin = elementStart + tags.ElementStart.size();
    // Tags that overlap each other delimit no list.
    if (elementEnd < listBegin)
        return std::nullopt;
    return ListSpan{listBegin, elementEnd};
}

// Where a stored entry lies: from its first byte to just after it, its trailing backslash included.
struct EntrySpan {
    std::size_t Begin;
    std::size_t End;
};

// The first whole entry of the list equal to the upper-cased entry. An occurrence counts only when it
// starts the list or follows a ";", and ends the list or is followed by a ";" (either after one
// backslash), so that the tail or the head of a longer entry is never taken for the entry.
std::optional<EntrySpan> FindEntry(std::string_view upper, ListSpan list, std::string_view upperEntry) {
    for (std::size_t at = upper.find(upperEntry, list.Begin); at != npos && at < list.End;
         at = upper.find(upperEntry, at + 1)) {
        const bool startsEntry = at == list.Begin || upper[at - 1] == ';';
        std::size_t after = at + upperEntry.size();
        if (after < list.End && upper[after] == '\\')
            ++after;
        const bool endsEntry = after == list.End || (after < list.End && upper[after] == ';');
        if (startsEntry && endsEntry)
            return EntrySpan{at, after};
    }
    return std::nullopt;
}

} // namespace

std::string PropertyGroupStart(std::string_view platformWord) {
    return "<PROPERTYGROUP CONDITION=\"'$(PLATFORM)'=='" + std::string(platformWord) + "'\">";
}

std::string ElementStartTag(std::string_view elementName) {
    return "<" + std::string(elementName) + ">";
}

std::string ElementEndTag(std::string_view elementName) {
    return "</" + std::string(elementName) + ">";
}

std::string_view EnvOptionsEntryText(std::string_view entry) {
    if (!entry.empty() && entry.back() == '\\')
        entry.remove_suffix(1);
    return entry;
}

std::optional<std::string> SpliceEnvOptionsEntry(std::string_view text, const EnvOptionsTags& tags,
                                                 std::string_view entry, bool uninstall) {
    entry = EnvOptionsEntryText(entry);
    if (entry.empty())
        return std::nullopt;
    // Only a to z change, so positions in the copy and in the file's bytes agree.
    const std::string upper = AsciiUpperCase(text);
    const std::optional<ListSpan> list = FindList(upper, tags);
    if (!list)
        return std::nullopt;
    const std::optional<EntrySpan> present = FindEntry(upper, *list, AsciiUpperCase(entry));

    std::string edited(text);
    if (uninstall) {
        if (!present)
            return std::nullopt;
        // A later entry goes with the separator before it; the first keeps the one after it.
        const std::size_t from = present->Begin == list->Begin ? present->Begin : present->Begin - 1;
        edited.erase(from, present->End - from);
        return edited;
    }
    if (present)
        return std::nullopt;
    const bool endsWithSeparator = text[list->End - 1] == ';';
    edited.insert(list->End, (endsWithSeparator ? "" : ";") + std::string(entry));
    return edited;
}

} // namespace kosetup
