#pragma once
// The rules by which Windows reads a command line: which file CreateProcessA takes for the program
// when it is given no application name, and how a program splits the rest into arguments.

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

// One way to read the program off a command line: its name, and where the arguments begin.
struct ProgramCandidate {
    std::string name;
    std::size_t argumentsStart = 0;
    friend bool operator==(const ProgramCandidate&, const ProgramCandidate&) = default;
};

// The names CreateProcessA tries, in its order: the text inside the quotes when the command line
// begins with one; else the text up to each blank or tab in turn, shortest first, the whole line
// last, so that an unquoted path with blanks is still found.
std::vector<ProgramCandidate> ProgramCandidates(std::string_view commandLine);

// The name with ".exe" appended when its last component has no extension, as the search for a
// program does.
std::string WithDefaultExtension(const std::string& name);

// The arguments as the C run-time splits them: blanks and tabs separate them outside double
// quotes; 2n backslashes before a quote give n backslashes and the quote opens or closes a quoted
// part, 2n+1 give n backslashes and a literal quote; other backslashes are literal; "" inside a
// quoted part is a literal quote.
std::vector<std::string> SplitArguments(std::string_view text);

} // namespace platform::posix
