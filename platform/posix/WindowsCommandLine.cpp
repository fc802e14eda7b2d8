#include "WindowsCommandLine.h"

namespace platform::posix {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<ProgramCandidate> ProgramCandidates(std::string_view commandLine) {
    std::vector<ProgramCandidate> candidates;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        const std::size_t end = close == std::string_view::npos ? commandLine.size() : close;
        candidates.push_back({std::string(commandLine.substr(1, end - 1)),
                              close == std::string_view::npos ? commandLine.size() : close + 1});
        return candidates;
    }
    // Each candidate takes the next character (a blank, after the first) and the word after it.
    std::size_t end = 0;
    while (end < commandLine.size()) {
        do
            ++end;
        while (end < commandLine.size() && !IsBlank(commandLine[end]));
        candidates.push_back({std::string(commandLine.substr(0, end)), end});
    }
    return candidates;
}

std::string WithDefaultExtension(const std::string& name) {
    const std::size_t lastSeparator = name.find_last_of("\\/");
    const std::size_t dot = name.find('.', lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
    return dot == std::string::npos ? name + ".exe" : name;
}

std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        while (pos < text.size() && (quoted || !IsBlank(text[pos]))) {
            if (text[pos] == '\\') {
                std::size_t backslashes = 0;
                while (pos < text.size() && text[pos] == '\\') {
                    ++backslashes;
                    ++pos;
                }
                if (pos < text.size() && text[pos] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++pos;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (text[pos] == '"') {
                if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
                    argument += '"';
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
            } else {
                argument += text[pos++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

} // namespace platform::posix
