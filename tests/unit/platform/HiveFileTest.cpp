// Reading and writing hive files: Wine-made hives come back byte for byte, an edit changes only the
// edited key's block, values are written in Wine's forms, and reading is as lenient as Wine's.

#include "platform/Exceptions.h"
#include "platform/Win32Constants.h"
#include "registry/HiveReader.h"
#include "registry/HiveWriter.h"
#include "registry/Utf16Bytes.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

using namespace platform;
using namespace platform::posix;
using namespace std::string_literals;

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(VEKSETUP_TEST_DATA_DIR) + "/fixtures/wine/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Hive Read(const std::string& text, std::string* diagnostics = nullptr) {
    std::ostringstream messages;
    Hive hive = ReadHive(text, "test.reg", messages);
    if (diagnostics != nullptr)
        *diagnostics = messages.str();
    return hive;
}

std::shared_ptr<RegistryKey> KeyAt(const Hive& hive, std::u16string_view path) {
    std::shared_ptr<RegistryKey> key = hive.root;
    std::size_t start = 0;
    while (key && start <= path.size()) {
        const std::size_t end = std::min(path.find(u'\\', start), path.size());
        key = key->FindSubKey(path.substr(start, end - start));
        start = end + 1;
    }
    return key;
}

// The key blocks of a hive file, each from its blank line to the next.
std::vector<std::string> Blocks(const std::string& text) {
    std::vector<std::string> blocks;
    std::size_t start = text.find("\n[");
    while (start != std::string::npos) {
        const std::size_t next = text.find("\n[", start + 1);
        blocks.push_back(text.substr(start, next == std::string::npos ? std::string::npos : next - start));
        start = next;
    }
    return blocks;
}

constexpr const char* kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

TEST(HiveFileTest, WineMadeHivesComeBackByteForByte) {
    for (const char* name : {"system.reg", "user.reg"}) {
        SCOPED_TRACE(name);
        const std::string text = Fixture(name);
        std::string diagnostics;
        const Hive hive = Read(text, &diagnostics);
        EXPECT_EQ(diagnostics, "");
        EXPECT_FALSE(hive.IsChanged());
        EXPECT_EQ(hive.arch, HiveArch::Win64);
        EXPECT_EQ(WriteHive(hive), text);
    }
}

TEST(HiveFileTest, ReadsWhatWineWrote) {
    const Hive user = Read(Fixture("user.reg"));
    EXPECT_EQ(user.rootPath, u"REGISTRY\\User\\S-1-5-21-0-0-0-1000");

    const auto order = KeyAt(user, u"Software\\VekProbe\\Order");
    ASSERT_TRUE(order);
    EXPECT_EQ(order->Modified(), 0x1dd896da7d8b490ull);
    const RegistryValue* all = order->FindValue(u"ALL");
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->type, kRegSz);
    const std::u16string text = BytesToUtf16(all->data);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text[0], u'\x01');
    EXPECT_EQ(text[127], u'\x20ac'); // byte 0x80 of 1252, written by Wine as \x20ac
    EXPECT_EQ(text[254], u'\x00ff');
    EXPECT_EQ(text[255], u'\0');

    const auto classy = KeyAt(user, u"Software\\VekProbe\\Classy");
    ASSERT_TRUE(classy);
    EXPECT_EQ(classy->ClassName(), u"My\"Class");
    EXPECT_TRUE(KeyAt(user, u"Software\\VekProbe\\K[e]y\\\x00e9\\\x20ac"
                            u"1"));

    const auto odd = KeyAt(user, u"Software\\VekProbe\\Odd");
    ASSERT_TRUE(odd);
    const RegistryValue* multi = odd->FindValue(u"multi");
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->type, kRegMultiSz);
    EXPECT_EQ(BytesToUtf16(multi->data), u"one\0two\0\0"s);
    const RegistryValue* dword = odd->FindValue(u"dw");
    ASSERT_NE(dword, nullptr);
    EXPECT_EQ(dword->data, (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));
    const RegistryValue* unknown = odd->FindValue(u"");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->type, 0x1234u);
    EXPECT_EQ(unknown->data.size(), 40u);

    const Hive machine = Read(Fixture("system.reg"));
    const auto link = KeyAt(machine, u"Software\\Wow6432Node\\Classes");
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->IsLink());
    const RegistryValue* target = link->FindValue(u"SymbolicLinkValue");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->type, 6u);
    EXPECT_EQ(BytesToUtf16(target->data), u"\\Registry\\Machine\\Software\\Classes\\Wow6432Node");
}

TEST(HiveFileTest, AnEditChangesOnlyTheEditedKeysBlock) {
    const std::string original = Fixture("system.reg");
    Hive hive = Read(original);
    const auto key = KeyAt(hive, u"Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT");
    ASSERT_TRUE(key);
    key->PutValue(u"LOCAL SHARE", kRegSz, Utf16ToBytes(u"TRUE\0"s));
    key->Touch();
    ASSERT_TRUE(hive.IsChanged());

    const std::string written = WriteHive(hive);
    const auto before = Blocks(original);
    const auto after = Blocks(written);
    ASSERT_EQ(before.size(), after.size());
    EXPECT_EQ(written.substr(0, written.find("\n[")), original.substr(0, original.find("\n[")));
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        ++changed;
        EXPECT_NE(after[i].find("[Software\\\\Borland\\\\Database Engine\\\\Settings\\\\SYSTEM\\\\INIT] "),
                  std::string::npos);
        EXPECT_NE(after[i].find("\n\"LOCAL SHARE\"=\"TRUE\"\n\"SHAREDMEMLOCATION\"=\"9000\"\n"),
                  std::string::npos);
    }
    EXPECT_EQ(changed, 1);
}

TEST(HiveFileTest, WritesEachValueAsWineDoes) {
    std::vector<std::uint8_t> bytes(100);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    const auto first = [&](std::size_t count) {
        return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + count);
    };
    struct Case {
        std::u16string name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        std::string line;
    };
    // value name, type and data; the lines Wine 8 wrote for them
    const Case cases[] = {
        {u"", 0x1234, first(40),
         "@=hex(1234):00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
         "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\n"},
        {u"a long value name that pushes the hex data past the wrap column", kRegBinary, first(30),
         "\"a long value name that pushes the hex data past the wrap column\"=hex:00,01,02,\\\n"
         "  03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,\\\n"
         "  1c,1d\n"},
        {u"empty", kRegBinary, {}, "\"empty\"=hex:\n"},
        {u"ansiempty", kRegSz, {}, "\"ansiempty\"=hex(1):\n"},
        {u"odd", kRegSz, {0x61, 0x00, 0x62}, "\"odd\"=hex(1):61,00,62\n"},
        {u"ansinonul", kRegSz, Utf16ToBytes(u"abc"), "\"ansinonul\"=hex(1):61,00,62,00,63,00\n"},
        {u"emptysz", kRegSz, Utf16ToBytes(u"\0"s), "\"emptysz\"=\"\"\n"},
        {u"exp", kRegExpandSz, Utf16ToBytes(u"%PATH%\0"s), "\"exp\"=str(2):\"%PATH%\"\n"},
        {u"multi", kRegMultiSz, Utf16ToBytes(u"one\0two\0\0"s), "\"multi\"=str(7):\"one\\0two\\0\"\n"},
        {u"dw", kRegDword, {0x78, 0x56, 0x34, 0x12}, "\"dw\"=dword:12345678\n"},
        {u"dw3", kRegDword, {0x78, 0x56, 0x34}, "\"dw3\"=hex(4):78,56,34\n"},
        {u"ctl\t\x01x\x01"
         u"7\x1b",
         kRegSz,
         Utf16ToBytes(u"\a\b\t\n\v\f\r\x1b\x01"
                      u"5\x02z\"\\[]\0"s),
         "\"ctl\\t\\1x\\0017\\e\"=\"\\a\\b\\t\\n\\v\\f\\r\\e\\0015\\2z\\\"\\\\[]\"\n"},
        {u"hex\x00e9"
         u"a",
         kRegSz,
         Utf16ToBytes(u"\x00e9"
                      u"a\x00e9g\0"s),
         "\"hex\\x00e9a\"=\"\\x00e9a\\xe9g\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Hive hive = Read(std::string(kHeader) + "\n[Key] 1796993288\n#time=1dd896ddf79acb0\n");
        const auto key = hive.root->FindSubKey(u"Key");
        key->PutValue(c.name, c.type, c.data);
        const std::string expected =
            std::string(kHeader) + "\n[Key] 1796993288\n#time=1dd896ddf79acb0\n" + c.line;
        EXPECT_EQ(WriteHive(hive), expected);
        EXPECT_EQ(WriteHive(Read(expected)), expected);
    }
}

TEST(HiveFileTest, KeysAreWrittenSortedParentFirstAndOnlyWhenTheyHoldSomething) {
    const std::string text =
        std::string(kHeader) +
        "\n[b\\\\child] 1796990001\n#time=1dd896637fd4e80\n\"v\"=\"1\"\n"
        "\n[A\\\\deep\\\\leaf] 1796990002\n#time=1dd89663895e500\n"
        "\n[_under] 1796990003\n#time=1dd8966392e7b80\n"
        "\n[b] 1796990004\n#time=1dd896639c71200\n\"z\"=\"1\"\n\"_\"=\"2\"\n\"Y\"=\"3\"\n"
        "\n[ab] 1796990005\n#time=1dd89663a5fa880\n";
    const std::string sorted =
        std::string(kHeader) +
        "\n[_under] 1796990003\n#time=1dd8966392e7b80\n"
        "\n[A\\\\deep\\\\leaf] 1796990002\n#time=1dd89663895e500\n"
        "\n[ab] 1796990005\n#time=1dd89663a5fa880\n"
        // b got its child's time first; Wine then ignores b's own time
        "\n[b] 1796990001\n#time=1dd896637fd4e80\n\"_\"=\"2\"\n\"Y\"=\"3\"\n\"z\"=\"1\"\n"
        "\n[b\\\\child] 1796990001\n#time=1dd896637fd4e80\n\"v\"=\"1\"\n";
    EXPECT_EQ(WriteHive(Read(text)), sorted);
}

TEST(HiveFileTest, ReadingSkipsWhatWineSkips) {
    struct Case {
        std::string lines;
        std::string message;
    };
    // lines after the header, the message Wine prints for them
    const Case cases[] = {
        {"\"early\"=\"1\"\n[K] 1\n#time=1\n\"v\"=\"1\"\n", "test.reg:5: Value without key '\"early\"=\"1\"'"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\ngarbage\n", "test.reg:8: Unrecognized input 'garbage'"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\n\"broken=\"x\"\n", "Malformed value name"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\n\"bad\"=bogus:1\n", "test.reg:8: Malformed value '\"bad\"=bogus:1'"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\n\"bad\"=hex:01,\\\n  zz\n", "test.reg:9: Malformed value '  zz'"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\n\"bad\"=hex:1ff\n", "Malformed value"},
        {"[K] 1\n#time=1\n\"v\"=\"1\"\n[unclosed\n\"lost\"=\"1\"\n", "Malformed key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        std::string diagnostics;
        const Hive hive = Read(std::string(kHeader) + c.lines, &diagnostics);
        EXPECT_NE(diagnostics.find(c.message), std::string::npos) << diagnostics;
        const auto key = hive.root->FindSubKey(u"K");
        ASSERT_TRUE(key);
        ASSERT_NE(key->FindValue(u"v"), nullptr);
        EXPECT_EQ(key->FindValue(u"lost"), nullptr);
        // A value whose data is malformed stays, empty and of type 0, as Wine leaves it.
        if (const RegistryValue* bad = key->FindValue(u"bad")) {
            EXPECT_EQ(bad->type, kRegNone);
            EXPECT_TRUE(bad->data.empty());
        }
    }
}

TEST(HiveFileTest, ReadsCarriageReturnsAndMissingTimes) {
    const Hive hive = Read("WINE REGISTRY Version 2\r\n;; All keys relative to REGISTRY\\\\Machine\r\n\r\n"
                           "[K]\r\n\"v\"=dword:0000002A\r\n");
    const auto key = hive.root->FindSubKey(u"K");
    ASSERT_TRUE(key);
    EXPECT_GT(key->Modified(), 0x1d0000000000000ull); // now, as Wine stamps a key without a time
    ASSERT_NE(key->FindValue(u"v"), nullptr);
    EXPECT_EQ(key->FindValue(u"v")->data, (std::vector<std::uint8_t>{42, 0, 0, 0}));
    EXPECT_EQ(hive.arch, HiveArch::Unspecified);
}

TEST(HiveFileTest, NotAHiveIsRefused) {
    for (const auto& text :
         {""s, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n"s, "WINE REGISTRY Version 1\n"s,
          "\xef\xbb\xbfWINE REGISTRY Version 2\n"s, "WINE REGISTRY Version 2\n\n#arch=arm64\n"s}) {
        SCOPED_TRACE(text);
        std::ostringstream messages;
        try {
            (void)ReadHive(text, "/prefix/system.reg", messages);
            ADD_FAILURE() << "accepted";
        } catch (const MachineError& error) {
            EXPECT_NE(std::string(error.what()).find("/prefix/system.reg"), std::string::npos)
                << error.what();
        }
    }
}

TEST(HiveFileTest, HeaderIsKeptAsItIs) {
    const std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n"
        ";; a comment of our own\n\n#arch=win32\n#option=kept\n\n[K] 1796990001\n#time=1dd896637fd4e80\n";
    const Hive hive = Read(text);
    EXPECT_EQ(hive.arch, HiveArch::Win32);
    EXPECT_EQ(hive.rootPath, u"REGISTRY\\Machine");
    EXPECT_EQ(WriteHive(hive), text);
}

} // namespace
