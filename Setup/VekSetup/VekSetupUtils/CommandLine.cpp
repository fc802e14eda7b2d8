#include "VekSetupUtils/CommandLine.h"

#include "KOSetupUtils/TextCase.h"

#include <algorithm>

namespace veksetup {

namespace {

// Longer values are cut to this many characters.
constexpr std::size_t kMaxParamValueLength = 9999;

} // namespace

ParamLookup GetParam(const CommandLineArgs& args, const std::string& name) {
    const std::string key = kosetup::AsciiUpperCase(name);
    const std::string prefix = key + "=";
    for (const std::string& arg : args) {
        if (arg == key)
            return {true, {}};
        if (kosetup::AsciiUpperCase(arg.substr(0, prefix.size())) == prefix)
            return {true, arg.substr(prefix.size(), kMaxParamValueLength)};
    }
    return {};
}

bool HasFlag(const CommandLineArgs& args, const std::string& name) {
    return GetParam(args, name).found;
}

bool IsGiven(const std::string& text) {
    return !text.empty() && text != "N/A";
}

TStringArray SplitBar(const std::string& text) {
    TStringArray parts;
    std::string::size_type start = 0;
    do {
        const std::string::size_type bar = text.find('|', start);
        const std::string::size_type end = bar == std::string::npos ? text.size() : bar;
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    } while (start < text.size());
    return parts;
}

bool ContainsItem(const TStringArray& items, const std::string& item) {
    return std::any_of(items.begin(), items.end(), [&item](const std::string& element) {
        return kosetup::EqualAsciiIgnoreCase(element, item);
    });
}

} // namespace veksetup
