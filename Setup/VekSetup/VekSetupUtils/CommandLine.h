#pragma once
// Lookup of options among the command-line arguments, and the bar-separated lists they hold.

#include <string>
#include <vector>

namespace veksetup {

// An ordered, growable array of texts.
using TStringArray = std::vector<std::string>;

// The program's arguments after its own path, as the platform split them.
using CommandLineArgs = std::vector<std::string>;

struct ParamLookup {
    bool found = false;
    std::string value;
};

// Finds the option Name (written with its "-", e.g. "-PATH"): an argument equal to it in upper case
// (the argument itself is compared as written), or one starting with Name + "=" in any ASCII case,
// whose rest (at most 9999 characters) is the value. The first matching argument decides.
ParamLookup GetParam(const CommandLineArgs& args, const std::string& name);
// Whether GetParam finds the option.
bool HasFlag(const CommandLineArgs& args, const std::string& name);
// True when the text is non-empty and not exactly "N/A".
bool IsGiven(const std::string& text);
// The parts between "|" characters: "" gives one empty part, "a||b" three, and a trailing bar adds
// nothing ("a|" gives a).
TStringArray SplitBar(const std::string& text);
// Whether some element equals Item, comparing ASCII letters without regard to case.
bool ContainsItem(const TStringArray& items, const std::string& item);

} // namespace veksetup
