#include "WildcardMatch.h"

#include "registry/WineCase.h"

namespace platform::posix {

namespace {

bool SameLetter(char16_t a, char16_t b) {
    return a == b || WineToLower(a) == WineToLower(b);
}

} // namespace

bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
    if (pattern == u"*.*")
        pattern = u"*";
    // Greedy matching with one remembered star: linear in practice, and never recursive.
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::u16string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::u16string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace platform::posix
