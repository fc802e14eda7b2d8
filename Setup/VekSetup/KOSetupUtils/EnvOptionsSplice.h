#pragma once
// The text edit behind the EnvOptions.proj path editor: one entry inserted into, or removed from, one
// ";"-separated list element of the file, treated as a byte string rather than as parsed XML. Tags are
// found in an ASCII upper-cased copy; the entry is spliced into the file's own bytes, so every byte
// outside the edited span (a byte-order mark, non-ASCII text, line ends) stays exactly as it was.

#include <optional>
#include <string>
#include <string_view>

namespace kosetup {

// The tags that locate one list element, in upper case. GroupStart and GroupEnd are the tags of the
// platform's property group, or both empty when the element is not inside one.
struct EnvOptionsTags {
    std::string GroupStart;
    std::string GroupEnd;
    std::string ElementStart;
    std::string ElementEnd;
};

// "</PROPERTYGROUP>", and the opening tag of the property group of a platform word such as "WIN64".
inline constexpr char kPropertyGroupEnd[] = "</PROPERTYGROUP>";
std::string PropertyGroupStart(std::string_view platformWord);
// "<NAME>" and "</NAME>" of a list element name such as "DELPHILIBRARYPATH".
std::string ElementStartTag(std::string_view elementName);
std::string ElementEndTag(std::string_view elementName);

// The entry as the editor handles it: one trailing backslash removed. An empty result means there is
// nothing to edit.
std::string_view EnvOptionsEntryText(std::string_view entry);

// Adds Entry as the last entry of the list (unless the list holds it), or with Uninstall removes its
// first copy. Returns the edited text, or nothing when the text stays as it is: an empty entry, a
// missing group or element, an element that does not close before its group does, an entry already
// present (adding) or absent (removing).
//
// The group is the first GroupStart of the text and ends at the first GroupEnd after it; the element
// is the first ElementStart after the group's opening tag, and must close before the group does.
// The list holds the entry when one of its entries equals it without regard to ASCII letter case,
// allowing one trailing backslash on the stored entry; only a whole entry counts, never the head or
// tail of a longer one. A removal takes the entry, its trailing backslash if it has one, and the ";"
// before it (the first entry keeps the ";" after it).
std::optional<std::string> SpliceEnvOptionsEntry(std::string_view text, const EnvOptionsTags& tags,
                                                 std::string_view entry, bool uninstall);

} // namespace kosetup
