#include "WindowsPathSyntax.h"

namespace platform::posix {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperDrive(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Adds the components of text to path, applying "." and ".." and dropping what Windows drops.
void AppendComponents(std::string_view text, AbsoluteWindowsPath& path) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        std::string component(text.substr(pos, end - pos));
        if (component == "..") {
            if (!path.components.empty())
                path.components.pop_back();
        } else if (component != ".") {
            while (!component.empty() && (component.back() == '.' || component.back() == ' '))
                component.pop_back();
            if (!component.empty())
                path.components.push_back(std::move(component));
        }
        pos = end + 1;
    }
}

} // namespace

std::string AbsoluteWindowsPath::ToString() const {
    std::string text{drive, ':'};
    if (components.empty())
        return text + "\\";
    for (const std::string& component : components)
        text += "\\" + component;
    return text;
}

std::optional<AbsoluteWindowsPath> MakeAbsolute(std::string_view path,
                                                const AbsoluteWindowsPath& currentDirectory) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == '?' &&
        IsSeparator(path[3]))
        path.remove_prefix(4);
    if (path.empty())
        return std::nullopt;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return std::nullopt; // \\server\share and \\.\device

    AbsoluteWindowsPath result;
    std::string_view rest = path;
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
        result.drive = UpperDrive(path[0]);
        rest = path.substr(2);
        if (rest.empty() || !IsSeparator(rest.front())) {
            // Drive-relative: each drive remembers its own folder; only the current one is known.
            if (result.drive == currentDirectory.drive)
                result.components = currentDirectory.components;
        }
    } else if (IsSeparator(path[0])) {
        result.drive = currentDirectory.drive;
    } else {
        result = currentDirectory;
    }
    result.trailingSeparator = false;
    AppendComponents(rest, result);
    result.trailingSeparator = IsSeparator(path.back());
    return result;
}

bool IsFullyQualified(std::string_view path) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == '?' &&
        IsSeparator(path[3]))
        path.remove_prefix(4);
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
}

bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool HasInvalidNameCharacter(std::string_view name, bool allowWildcards) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '<' || c == '>' || c == '|' || c == '"')
            return true;
        if (!allowWildcards && (c == '*' || c == '?'))
            return true;
    }
    return false;
}

} // namespace platform::posix
