#pragma once
// An EnvOptions.proj for tests, as the IDE writes one (byte-order mark, Windows line ends, mixed-case
// tags): first a property group without a condition that holds the elements kept outside platform
// groups, then one group per platform with the Delphi and C++Builder path elements. Every list
// holds the single entry "a" unless a test sets it.

#include <map>
#include <span>
#include <string>
#include <utility>

namespace veksetup::testing {

class EnvOptionsDocument {
  public:
    // Platform words as the IDE writes them; "" is the group without a condition.
    static constexpr const char* kPlatforms[] = {"",          "Win32",       "Win64",       "OSX32",
                                                 "iOSDevice", "iOSDevice32", "iOSDevice64", "Android"};

    // Replaces one list; group "" is the group without a condition.
    EnvOptionsDocument& Set(const std::string& platform, const std::string& element,
                            const std::string& list) {
        lists_[{platform, element}] = list;
        return *this;
    }

    std::string Text() const {
        std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                           "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n";
        for (const char* platform : kPlatforms) {
            const std::string word = platform;
            text += word.empty() ? "  <PropertyGroup>\r\n"
                                 : "  <PropertyGroup Condition=\"'$(Platform)'=='" + word + "'\">\r\n";
            for (const char* element : ElementsOf(word))
                text += "    <" + std::string(element) + ">" + List(word, element) + "</" + element + ">\r\n";
            text += "  </PropertyGroup>\r\n";
        }
        return text + "</Project>\r\n";
    }

  private:
    static std::span<const char* const> ElementsOf(const std::string& platform) {
        static constexpr const char* kOutsideGroups[] = {"Win32LibraryPath",    "DelphiLibraryPath",
                                                         "CBuilderLibraryPath", "CBuilderIncludePath",
                                                         "DotNetLibraryPath",   "DotNetNamespaceSearchPath"};
        static constexpr const char* kPlatformGroup[] = {"DelphiLibraryPath", "CBuilderLibraryPath",
                                                         "CBuilderIncludePath"};
        if (platform.empty())
            return kOutsideGroups;
        return kPlatformGroup;
    }

    std::string List(const std::string& platform, const std::string& element) const {
        const auto found = lists_.find({platform, element});
        return found == lists_.end() ? "a" : found->second;
    }

    std::map<std::pair<std::string, std::string>, std::string> lists_;
};

} // namespace veksetup::testing
