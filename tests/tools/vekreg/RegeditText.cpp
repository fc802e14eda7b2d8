#include "RegeditText.h"

#include <cctype>
#include <optional>

namespace vekreg {
namespace {

struct RootName {
    std::string_view name;
    RegRoot root;
};

constexpr RootName kRootNames[] = {
    {"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine}, {"HKLM", RegRoot::LocalMachine},
    {"HKEY_CURRENT_USER", RegRoot::CurrentUser},   {"HKCU", RegRoot::CurrentUser},
    {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},   {"HKCR", RegRoot::ClassesRoot},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// One logical line: a physical line, joined with the next ones while it ends in a backslash
// (regedit's continuation of long hex data).
struct LogicalLine {
    std::string text;
    std::size_t number = 0;
};

// Only hex data continues: a string value may end in a backslash of its own.
bool IsHexValue(std::string_view line) {
    return line.front() != '[' && line.find("=hex") != std::string_view::npos;
}

std::vector<LogicalLine> SplitLines(std::string_view text) {
    std::vector<LogicalLine> lines;
    std::size_t number = 0;
    bool continuing = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = TrimRight(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (continuing)
            line = TrimLeft(line);
        else
            lines.push_back({"", number});
        LogicalLine& current = lines.back();
        current.text.append(line);
        continuing = !current.text.empty() && current.text.back() == '\\' && IsHexValue(current.text);
        if (continuing)
            current.text.pop_back();
    }
    return lines;
}

[[noreturn]] void Fail(const LogicalLine& line, const std::string& what) {
    throw RegeditError("line " + std::to_string(line.number) + ": " + what + ": " + line.text);
}

// Reads a quoted string at text[pos] (regedit escapes: \\ and \"), returning it and moving pos past it.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos) {
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string value;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            value.push_back(text[++i]);
        } else if (text[i] == '"') {
            pos = i + 1;
            return value;
        } else {
            value.push_back(text[i]);
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        text = TrimLeft(text.substr(pos));
        pos = 0;
        if (text.empty())
            break;
        std::size_t used = 0;
        while (used < text.size() && std::isxdigit(static_cast<unsigned char>(text[used])))
            ++used;
        if (used == 0 || used > 2)
            return std::nullopt;
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoul(std::string(text.substr(0, used)), nullptr, 16)));
        text = TrimLeft(text.substr(used));
        if (!text.empty() && text.front() != ',')
            return std::nullopt;
        pos = text.empty() ? 0 : 1;
    }
    return bytes;
}

void ParseData(const LogicalLine& line, std::string_view data, RegeditEdit& edit) {
    std::size_t pos = 0;
    if (auto text = ReadQuoted(data, pos)) {
        if (!TrimRight(data.substr(pos)).empty())
            Fail(line, "text after the string");
        edit.type = 1;
        edit.data.assign(text->begin(), text->end());
        edit.data.push_back(0);
        return;
    }
    if (data.substr(0, 6) == "dword:") {
        const std::string_view digits = data.substr(6);
        if (digits.size() != 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            Fail(line, "dword: needs eight hex digits");
        const auto value = static_cast<std::uint32_t>(std::stoul(std::string(digits), nullptr, 16));
        edit.type = 4;
        edit.data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        return;
    }
    std::string_view hex;
    if (data.substr(0, 4) == "hex:") {
        edit.type = 3;
        hex = data.substr(4);
    } else if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos)
            Fail(line, "hex( needs a type and \"):\"");
        const std::string_view type = data.substr(4, close - 4);
        if (type.empty() || type.size() > 8 ||
            type.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            Fail(line, "hex( needs a hex type");
        edit.type = static_cast<std::uint32_t>(std::stoul(std::string(type), nullptr, 16));
        hex = data.substr(close + 2);
    } else {
        Fail(line, "unknown value data");
    }
    auto bytes = ParseHexBytes(hex);
    if (!bytes)
        Fail(line, "malformed hex bytes");
    edit.data = std::move(*bytes);
}

std::optional<std::pair<RegRoot, std::string>> SplitRoot(std::string_view path) {
    const std::size_t slash = path.find('\\');
    const std::string_view rootName = path.substr(0, slash);
    for (const RootName& candidate : kRootNames) {
        if (EqualsIgnoringCase(candidate.name, rootName))
            return std::pair{candidate.root, slash == std::string_view::npos
                                                 ? std::string{}
                                                 : std::string(path.substr(slash + 1))};
    }
    return std::nullopt;
}

} // namespace

std::vector<RegeditEdit> ParseRegedit4(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const std::vector<LogicalLine> lines = SplitLines(text);
    std::vector<RegeditEdit> edits;
    bool sawHeader = false;
    std::optional<RegeditEdit> section;
    for (const LogicalLine& line : lines) {
        const std::string_view content = TrimLeft(line.text);
        if (content.empty() || content.front() == ';')
            continue;
        if (!sawHeader) {
            if (content != "REGEDIT4")
                Fail(line, "the file must begin with REGEDIT4");
            sawHeader = true;
            continue;
        }
        if (content.front() == '[') {
            if (content.back() != ']')
                Fail(line, "a key line ends in \"]\"");
            const bool deletion = content.size() > 1 && content[1] == '-';
            auto split = SplitRoot(content.substr(deletion ? 2 : 1, content.size() - (deletion ? 3 : 2)));
            if (!split)
                Fail(line, "unknown root key");
            RegeditEdit edit;
            edit.kind = deletion ? RegeditEdit::Kind::DeleteKey : RegeditEdit::Kind::CreateKey;
            edit.root = split->first;
            edit.keyPath = split->second;
            edits.push_back(edit);
            if (deletion)
                section.reset();
            else
                section = edit;
            continue;
        }
        if (!section)
            Fail(line, "a value outside a key section");
        RegeditEdit edit = *section;
        std::size_t pos = 0;
        if (content.front() == '@') {
            pos = 1;
        } else if (auto name = ReadQuoted(content, pos)) {
            edit.valueName = *name;
        } else {
            Fail(line, "a value line begins with a quoted name or @");
        }
        if (pos >= content.size() || content[pos] != '=')
            Fail(line, "\"=\" missing after the value name");
        const std::string_view data = TrimRight(content.substr(pos + 1));
        if (data == "-") {
            edit.kind = RegeditEdit::Kind::DeleteValue;
        } else {
            edit.kind = RegeditEdit::Kind::SetValue;
            ParseData(line, data, edit);
        }
        edits.push_back(std::move(edit));
    }
    if (!sawHeader)
        throw RegeditError("the file is empty: it must begin with REGEDIT4");
    return edits;
}

} // namespace vekreg
