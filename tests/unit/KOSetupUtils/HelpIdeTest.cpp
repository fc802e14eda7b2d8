#include "KOSetupUtils/HelpContents.h"

#include <gtest/gtest.h>

namespace kosetup {
namespace {

TEST(IsHelpIdeTest, TakesOldDelphiAndCBuilder4To6) {
    // name, version, takes part
    const struct {
        const char* name;
        std::int32_t version;
        bool helpIde;
    } cases[] = {
        {"Delphi", 5, true},    {"Delphi", 7, true},    {"Delphi", 8, false},  {"Delphi", 16, false},
        {"CBuilder", 3, false}, {"CBuilder", 4, true},  {"CBuilder", 6, true}, {"CBuilder", 7, false},
        {"delphi", 7, false},   {"CBUILDER", 5, false}, {"Kylix", 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.version));
        EXPECT_EQ(IsHelpIde(c.name, c.version), c.helpIde);
    }
}

} // namespace
} // namespace kosetup
