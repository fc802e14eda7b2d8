#include "KOSetupUtils/ListValue.h"

#include "platform/Exceptions.h"
#include "platform/TRegistry.h"
#include "platform/Win32Constants.h"
#include "support/TempPrefix.h"

#include <gtest/gtest.h>
#include <optional>

namespace kosetup {
namespace {

using platform::kHkeyCurrentUser;

constexpr const char* kKey = "Software\\Embarcadero\\BDS\\9.0\\Library\\Win32";
constexpr const char* kValue = "Search Path";

platform::RegDataType TypeOf(const std::string& key, const std::string& name) {
    platform::TRegistry registry(platform::RegistryAccess::Read, kHkeyCurrentUser);
    EXPECT_TRUE(registry.OpenKey(key, platform::KeyCreation::OpenExisting));
    return registry.GetDataType(name);
}

class EditListValueTest : public ::testing::Test {
  protected:
    veksetup::testing::TempPrefix prefix;
};

TEST_F(EditListValueTest, AddsAndRemovesEntriesByTheSplitAndJoinRules) {
    // stored text (none: no value), entry, remove, text afterwards
    const struct {
        std::optional<std::string> stored;
        const char* entry;
        bool remove;
        const char* expected;
    } cases[] = {
        {"a;x;b", "X", false, "a;x;b"}, // present: nothing written
        {"a;;x;", "x", false, "a;;x;"}, // present: empty segments stay
        {"a;;b;", "c", false, "a;b;c"}, // appended, empty segments dropped
        {std::nullopt, "C:\\Vek\\Lib", false, "C:\\Vek\\Lib"},
        {"", "C:\\Vek\\Lib", false, "C:\\Vek\\Lib"},
        {"C:\\Vek\\Lib\\", "C:\\Vek\\Lib", false, "C:\\Vek\\Lib\\;C:\\Vek\\Lib"}, // no normalising
        {" a", "a", false, " a;a"},                                               // no trimming
        {"a;b;B;c", "B", true, "a;c"},                                            // every occurrence
        {"a;;b", "x", true, "a;b"},                                               // rewritten anyway
        {std::nullopt, "x", true, ""},                                            // created empty
        {"a;;b", "", false, "a;;b"},                                              // empty entry is present
        {"a;b;", "", false, "a;b"},                                               // empty entry adds nothing
        {"C:\\\xc9T\xc9", "c:\\\xe9t\xe9", true, ""},                             // Windows-1252 case
        {"C:\\\xc9T\xc9", "c:\\\xe9t\xe9", false, "C:\\\xc9T\xc9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored.value_or("(none)")) + (c.remove ? " - " : " + ") + c.entry);
        prefix.CreateKey(kHkeyCurrentUser, kKey);
        if (c.stored)
            prefix.SetString(kHkeyCurrentUser, kKey, kValue, *c.stored);
        EditListValue(kKey, kValue, c.entry, c.remove);
        EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, kKey, kValue), c.expected);
        platform::TRegistry cleanup(platform::RegistryAccess::Write, kHkeyCurrentUser);
        ASSERT_TRUE(cleanup.DeleteKey(kKey));
    }
}

TEST_F(EditListValueTest, WritesAnExpandableStringBackAsAPlainString) {
    prefix.SetExpandString(kHkeyCurrentUser, kKey, kValue, "%BDS%\\lib;;");
    EditListValue(kKey, kValue, "C:\\Vek\\Lib", false);
    EXPECT_EQ(prefix.ReadString(kHkeyCurrentUser, kKey, kValue), "%BDS%\\lib;C:\\Vek\\Lib");
    EXPECT_EQ(TypeOf(kKey, kValue), platform::RegDataType::String);
}

TEST_F(EditListValueTest, DoesNothingWithoutTheKey) {
    EditListValue(kKey, kValue, "C:\\Vek\\Lib", false);
    EditListValue(kKey, kValue, "C:\\Vek\\Lib", true);
    EXPECT_FALSE(prefix.KeyExists(kHkeyCurrentUser, kKey));
}

TEST_F(EditListValueTest, RefusesAValueThatIsNoStringAndKeepsIt) {
    prefix.SetDword(kHkeyCurrentUser, kKey, kValue, 7);
    for (bool remove : {false, true}) {
        try {
            EditListValue(kKey, kValue, "C:\\Vek\\Lib", remove);
            ADD_FAILURE() << "no error";
        } catch (const platform::ERegistryException& error) {
            EXPECT_EQ(error.Message(), "Invalid data type for 'Search Path'");
        }
        EXPECT_EQ(prefix.ReadDword(kHkeyCurrentUser, kKey, kValue), 7u);
    }
}

} // namespace
} // namespace kosetup
