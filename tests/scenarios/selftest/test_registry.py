import unittest

from scenariolib import registry


def utf16(text):
    return text.encode("utf-16-le").hex()


def dump(*lines):
    return "\n".join(lines) + "\n"


BEFORE = dump(
    "K\tHKLM\tSoftware\\\\Wow6432Node\\\\Borland\\\\Delphi\\\\7.0",
    "V\tHKLM\tSoftware\\\\Wow6432Node\\\\Borland\\\\Delphi\\\\7.0\tRootDir\t1\t" + utf16("C:\\IDE\\\0"),
    "K\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\Library",
    "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\Library\tSearch Path\t1\t" + utf16("$(DELPHI)\\Lib\0"),
    "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\Library\tzeta\t4\t01000000",
    "K\tHKCU\tSoftware\\\\Old",
    "V\tHKCU\tSoftware\\\\Old\t\t1\t" + utf16("gone\0"),
)


class DiffTest(unittest.TestCase):
    def test_no_change_gives_no_line(self):
        self.assertEqual(registry.diff(registry.parse_dump(BEFORE), registry.parse_dump(BEFORE)), [])

    def test_changes_in_canonical_order(self):
        after = dump(
            "K\tHKLM\tSoftware\\\\Wow6432Node\\\\Borland\\\\Delphi\\\\7.0",
            "V\tHKLM\tSoftware\\\\Wow6432Node\\\\Borland\\\\Delphi\\\\7.0\tRootDir\t1\t" + utf16("C:\\IDE\\\0"),
            # the key's spelling changed only in case: the same key
            "K\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\LIBRARY",
            "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\LIBRARY\tSearch Path\t2\t" + utf16("$(DELPHI)\\Lib;C:\\V\0"),
            "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\LIBRARY\tzeta\t4\t01000000",
            "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\LIBRARY\tAlpha\t7\t" + utf16("a\0b\0\0"),
            "K\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\Known Packages",
            "V\tHKCU\tSoftware\\\\Borland\\\\Delphi\\\\7.0\\\\Known Packages\tC:\\\\IDE\\\\x.bpl\t1\t" + utf16("Caf\xe9\0"),
        )
        self.assertEqual(registry.diff(registry.parse_dump(BEFORE), registry.parse_dump(after)), [
            '+[HKCU\\Software\\Borland\\Delphi\\7.0\\Known Packages]',
            '+[HKCU\\Software\\Borland\\Delphi\\7.0\\Known Packages] "C:\\\\IDE\\\\x.bpl" = REG_SZ "Caf\\xe9"',
            '+[HKCU\\Software\\Borland\\Delphi\\7.0\\LIBRARY] "Alpha" = REG_MULTI_SZ ["a", "b"]',
            '-[HKCU\\Software\\Borland\\Delphi\\7.0\\LIBRARY] "Search Path" = REG_SZ "$(DELPHI)\\\\Lib"',
            '+[HKCU\\Software\\Borland\\Delphi\\7.0\\LIBRARY] "Search Path" = REG_EXPAND_SZ "$(DELPHI)\\\\Lib;C:\\\\V"',
            '-[HKCU\\Software\\Old]',
            '-[HKCU\\Software\\Old] @ = REG_SZ "gone"',
        ])

    def test_wine_churn_is_dropped_and_nothing_beside_it(self):
        key = "System\\\\CurrentControlSet\\\\Control\\\\Class\\\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\\\0000"
        before = dump("K\tHKLM\t" + key, "V\tHKLM\t%s\tDriverDateData\t3\t0102" % key)
        after = dump("K\tHKLM\t" + key, "V\tHKLM\t%s\tDriverDateData\t3\t0304" % key,
                     "V\tHKLM\t%s\tDriverDesc\t1\t%s" % (key, utf16("x\0")))
        lines = registry.diff(registry.parse_dump(before), registry.parse_dump(after), registry.WINE_CHURN)
        self.assertEqual(len(lines), 1)
        self.assertIn('"DriverDesc" = REG_SZ "x"', lines[0])

    def test_data_shown_by_type(self):
        # (type, data, shown)
        cases = [(1, utf16("a\\b\0"), '"a\\\\b"'), (2, utf16("%P%\0"), '"%P%"'),
                 (1, utf16("no nul"), "hex:6e,00,6f,00,20,00,6e,00,75,00,6c,00"),
                 (1, utf16("a\0b\0"), "hex:61,00,00,00,62,00,00,00"), (7, utf16("\0"), "[]"),
                 (7, utf16("a\0\0\0"), "hex:61,00,00,00,00,00,00,00"), (4, "0a000000", "0x0000000a"),
                 (4, "0a00", "hex:0a,00"), (3, "", "hex:"), (1, utf16("\u20ac\0"), '"\\u20ac"')]
        for value_type, data, shown in cases:
            with self.subTest(value_type=value_type, data=data):
                self.assertEqual(registry.format_data(value_type, bytes.fromhex(data)), shown)

    def test_malformed_dump_is_refused(self):
        for bad in ["X\tHKLM\tA", "K\tHKLM", "V\tHKLM\tA\tname\t1", "V\tHKLM\tA\tname\tone\t00"]:
            with self.subTest(bad=bad):
                self.assertRaises(ValueError, registry.parse_dump, bad + "\n")


if __name__ == "__main__":
    unittest.main()
