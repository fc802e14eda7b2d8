#include "registry/HiveReader.h"

#include "platform/Exceptions.h"
#include "platform/Win32Constants.h"
#include "registry/HiveText.h"
#include "registry/Utf16Bytes.h"

#include <cctype>
#include <cstdlib>
#include <ostream>

namespace platform::posix {

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";
constexpr std::string_view kRootComment = ";; All keys relative to ";

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
}

std::string_view SkipSpaces(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    return text.substr(pos);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The file's lines as the server reads them: without their "\n" or "\r\n", cut at a NUL byte.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size())
            return false;
        ++lineNumber_;
        lineStart_ = pos_;
        const std::size_t end = text_.find('\n', pos_);
        line = text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = line.substr(0, line.find('\0'));
        current_ = line;
        return true;
    }
    int LineNumber() const { return lineNumber_; }
    std::string_view Current() const { return current_; }
    // Where the current line starts in the text.
    std::size_t LineStart() const { return lineStart_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int lineNumber_ = 0;
    std::string_view current_;
};

class HiveParser {
  public:
    HiveParser(std::string_view text, const std::string& fileName, std::ostream& diagnostics)
        : lines_(text), text_(text), fileName_(fileName), diagnostics_(diagnostics) {}

    Hive Parse() {
        std::string_view line;
        if (!lines_.Next(line) || line != kSignature)
            throw MachineError(fileName_ + " is not a Wine registry file (its first line is not \"" +
                               std::string(kSignature) + "\")");
        bool inHeader = true;
        std::size_t headerEnd = text_.size();
        while (lines_.Next(line)) {
            const std::string_view content = SkipSpaces(line);
            if (inHeader && !content.empty() && content.front() == '[') {
                inHeader = false;
                headerEnd = lines_.LineStart();
            }
            ParseLine(content);
        }
        FinishKey();
        hive_.header = std::string(text_.substr(0, headerEnd));
        // The blank line before the first key belongs to that key's block.
        if (!inHeader && hive_.header.size() >= 2 && hive_.header.ends_with("\n\n"))
            hive_.header.pop_back();
        hive_.root->ClearChanged();
        return std::move(hive_);
    }

  private:
    void Report(std::string_view what) {
        diagnostics_ << fileName_ << ':' << lines_.LineNumber() << ": " << what << " '" << lines_.Current()
                     << "'\n";
    }

    void ParseLine(std::string_view content) {
        if (content.empty() || content.front() == ';')
            return;
        switch (content.front()) {
        case '[':
            FinishKey();
            key_ = ParseKeyLine(content.substr(1));
            if (!key_)
                Report("Error creating key");
            break;
        case '@':
        case '"':
            if (key_)
                ParseValue(content);
            else
                Report("Value without key");
            break;
        case '#':
            if (key_)
                ParseKeyOption(content);
            else
                ParseGlobalOption(content);
            break;
        default:
            Report("Unrecognized input");
            break;
        }
    }

    // A key's time comes from its "#time=" line, else from the seconds after its name; parents
    // created on the way get the time of their first child.
    void FinishKey() {
        if (key_)
            SetTimeIfUnset(key_.get(), keyLineTime_);
        key_.reset();
    }

    static void SetTimeIfUnset(RegistryKey* key, std::uint64_t fileTime) {
        for (; key != nullptr && key->Modified() == 0; key = key->Parent())
            key->SetModified(fileTime);
    }

    std::shared_ptr<RegistryKey> ParseKeyLine(std::string_view rest) {
        std::u16string path;
        const auto consumed = ParseEscaped(rest, ']', path);
        if (!consumed) {
            Report("Malformed key");
            return nullptr;
        }
        keyLineTime_ = CurrentFileTime();
        const std::string afterName(SkipSpaces(rest.substr(*consumed)));
        if (!afterName.empty() && std::isdigit(static_cast<unsigned char>(afterName.front()))) {
            const auto seconds = static_cast<unsigned>(std::strtoul(afterName.c_str(), nullptr, 10));
            keyLineTime_ = static_cast<std::uint64_t>(seconds * kTicksPerSecond + kTicksFrom1601To1970);
        }
        const auto names = SplitKeyPath(path);
        std::shared_ptr<RegistryKey> key = hive_.root;
        if (!rootBlockSeen_ && names.empty()) {
            // The root's own block ("[]", written when the root holds values or nothing at all) gives
            // the root its time, so that such a hive too comes back as it was; Wine would stamp it
            // with its start time instead.
            rootBlockSeen_ = true;
            key->SetModified(0);
        }
        for (const auto name : names) {
            auto subKey = key->FindSubKey(name);
            key = subKey ? subKey : key->AddSubKey(std::u16string(name), 0);
        }
        return key;
    }

    void ParseKeyOption(std::string_view option) {
        if (StartsWith(option, "#time=")) {
            std::uint64_t fileTime = 0;
            for (const char c : option.substr(6)) {
                if (!IsHexDigit(c))
                    break;
                fileTime = (fileTime << 4) | HexValue(c);
            }
            SetTimeIfUnset(key_.get(), fileTime);
        }
        if (StartsWith(option, "#class=\"")) {
            std::u16string className;
            if (ParseEscaped(option.substr(8), '"', className))
                key_->SetClassName(std::move(className));
        }
        if (StartsWith(option, "#link"))
            key_->SetLink(true);
    }

    void ParseGlobalOption(std::string_view option) {
        if (!StartsWith(option, "#arch="))
            return;
        const std::string_view arch = option.substr(6);
        if (arch == "win32") {
            hive_.arch = HiveArch::Win32;
        } else if (arch == "win64") {
            hive_.arch = HiveArch::Win64;
        } else {
            Report("Unknown architecture");
            throw MachineError(fileName_ + " is not a valid registry file (unknown architecture \"" +
                               std::string(arch) + "\")");
        }
    }

    void ParseValue(std::string_view line) {
        std::u16string name;
        std::size_t pos = 1;
        if (line.front() == '"') {
            const auto consumed = ParseEscaped(line.substr(1), '"', name);
            if (!consumed) {
                Report("Malformed value name");
                return;
            }
            pos = 1 + *consumed;
        }
        while (pos < line.size() && IsSpace(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=') {
            Report("Malformed value name");
            return;
        }
        ++pos;
        while (pos < line.size() && IsSpace(line[pos]))
            ++pos;
        RegistryValue& value = key_->PutValue(name, kRegNone, {});
        if (!ParseData(line.substr(pos), value)) {
            Report("Malformed value");
            key_->PutValue(std::move(name), kRegNone, {});
        }
    }

    enum class DataSyntax { String, Dword, Hex };

    static bool ParseDataTag(std::string_view& data, std::uint32_t& type, DataSyntax& syntax) {
        struct Tag {
            std::string_view text;
            std::uint32_t type;
            DataSyntax syntax;
        };
        static constexpr Tag kTags[] = {
            {"\"", kRegSz, DataSyntax::String},
            {"str:\"", kRegSz, DataSyntax::String},
            {"str(2):\"", kRegExpandSz, DataSyntax::String},
            {"str(7):\"", kRegMultiSz, DataSyntax::String},
            {"hex:", kRegBinary, DataSyntax::Hex},
            {"dword:", kRegDword, DataSyntax::Dword},
        };
        for (const Tag& tag : kTags) {
            if (StartsWith(data, tag.text)) {
                data.remove_prefix(tag.text.size());
                type = tag.type;
                syntax = tag.syntax;
                return true;
            }
        }
        if (!StartsWith(data, "hex("))
            return false;
        // "hex(N):" with N in hex, as strtoul reads it.
        const std::string number(data.substr(4));
        char* end = nullptr;
        type = static_cast<std::uint32_t>(std::strtoul(number.c_str(), &end, 16));
        const std::string_view after(end);
        if (!StartsWith(after, "):"))
            return false;
        data.remove_prefix(data.size() - after.size() + 2);
        syntax = DataSyntax::Hex;
        return true;
    }

    bool ParseData(std::string_view data, RegistryValue& value) {
        std::uint32_t type = kRegNone;
        DataSyntax syntax = DataSyntax::Hex;
        if (!ParseDataTag(data, type, syntax))
            return false;
        std::vector<std::uint8_t> bytes;
        switch (syntax) {
        case DataSyntax::String: {
            std::u16string text;
            if (!ParseEscaped(data, '"', text))
                return false;
            text.push_back(u'\0');
            bytes = Utf16ToBytes(text);
            break;
        }
        case DataSyntax::Dword: {
            const auto dword =
                static_cast<std::uint32_t>(std::strtoul(std::string(data).c_str(), nullptr, 16));
            bytes = {static_cast<std::uint8_t>(dword), static_cast<std::uint8_t>(dword >> 8),
                     static_cast<std::uint8_t>(dword >> 16), static_cast<std::uint8_t>(dword >> 24)};
            break;
        }
        case DataSyntax::Hex:
            if (!ParseHexLines(data, bytes))
                return false;
            break;
        }
        value.type = type;
        value.data = std::move(bytes);
        return true;
    }

    // Comma-separated hex bytes, continued on the next line after a trailing backslash.
    bool ParseHexLines(std::string_view data, std::vector<std::uint8_t>& bytes) {
        for (;;) {
            std::size_t pos = 0;
            while (pos < data.size() && IsHexDigit(data[pos])) {
                std::size_t end = pos;
                while (end < data.size() && IsHexDigit(data[end]))
                    ++end;
                const std::string digits(data.substr(pos, end - pos));
                const unsigned long byte = std::strtoul(digits.c_str(), nullptr, 16);
                if (byte > 0xff)
                    return false;
                bytes.push_back(static_cast<std::uint8_t>(byte));
                pos = end;
                while (pos < data.size() && IsSpace(data[pos]))
                    ++pos;
                if (pos < data.size() && data[pos] == ',')
                    ++pos;
                while (pos < data.size() && IsSpace(data[pos]))
                    ++pos;
            }
            data = SkipSpaces(data.substr(pos));
            if (data.empty())
                return true;
            if (data.front() != '\\')
                return false;
            std::string_view next;
            if (!lines_.Next(next))
                return false;
            data = SkipSpaces(next);
        }
    }

    LineReader lines_;
    std::string_view text_;
    const std::string& fileName_;
    std::ostream& diagnostics_;
    Hive hive_;
    std::shared_ptr<RegistryKey> key_;
    std::uint64_t keyLineTime_ = 0;
    bool rootBlockSeen_ = false;
};

std::u16string RootPathOf(const std::string& header) {
    const std::size_t start = header.find(kRootComment);
    if (start == std::string::npos)
        return {};
    std::string rest = header.substr(start + kRootComment.size());
    rest = rest.substr(0, rest.find('\n'));
    std::u16string path;
    (void)ParseEscaped(rest + ']', ']', path);
    return path;
}

} // namespace

Hive ReadHive(std::string_view text, const std::string& fileName, std::ostream& diagnostics) {
    Hive hive = HiveParser(text, fileName, diagnostics).Parse();
    hive.rootPath = RootPathOf(hive.header);
    return hive;
}

} // namespace platform::posix
