"""vekreg: REGEDIT4 import as a 32-bit program writes, and the canonical dump."""

import os
import pathlib
import subprocess
import tempfile
import unittest

from scenariolib import prefix as prefixes, registry

VEKREG = os.environ.get("VEKREG")

MACHINE = r'''REGEDIT4

; the IDE, as its installer wrote it
[HKEY_LOCAL_MACHINE\Software\Borland\Delphi\7.0]
"RootDir"="C:\\IDE\\"
@="quote \" inside"
"Count"=dword:0000002a
"Blob"=hex:01,02,\
  03,ff
"Expand"=hex(2):25,50,41,54,48,25,00
"Multi"=hex(7):61,00,62,00,00
"Gone"="x"
"Gone"=-

[HKEY_CLASSES_ROOT\CLSID\{11111111-2222-3333-4444-555555555555}]
@="Proxy"

[HKEY_CLASSES_ROOT\Vek.Proxy]
@="ProgId"

[HKEY_CURRENT_USER\Software\Borland\Delphi\7.0\Known Packages]
"C:\\IDE\\Bin\\caf<e9>.bpl"="Caf<e9>"

[HKEY_CURRENT_USER\Software\Doomed\Child]
"x"="y"

[-HKEY_CURRENT_USER\Software\Doomed]
'''.replace("<e9>", "\xe9")


@unittest.skipUnless(VEKREG, "VEKREG names the vekreg tool (ctest sets it)")
class VekregTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.scratch.name)

    def tearDown(self):
        self.scratch.cleanup()

    def vekreg(self, *args):
        return subprocess.run([VEKREG] + [str(a) for a in args], stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def import_into_fresh_prefix(self, wow64, reg_text):
        base = prefixes.make_synthetic_base(self.root / ("base-%s" % wow64), wow64)
        machine = prefixes.make_light_prefix(base, self.root / ("prefix-%s" % wow64))
        before = registry.parse_dump(self.vekreg("dump", machine.folder).stdout.decode())
        reg_file = self.root / "machine.reg"
        reg_file.write_bytes(reg_text.encode("latin-1"))
        result = self.vekreg("import", machine.folder, reg_file)
        self.assertEqual(result.returncode, 0, result.stderr)
        return registry.diff(before, registry.parse_dump(self.vekreg("dump", machine.folder).stdout.decode()))

    def test_import_lands_where_a_32_bit_program_writes(self):
        # (prefix, where HKLM\Software\X lands, where HKCR\CLSID\X lands)
        cases = [(True, "HKLM\\Software\\Wow6432Node\\Borland", "HKLM\\Software\\Classes\\Wow6432Node\\CLSID"),
                 (False, "HKLM\\Software\\Borland", "HKLM\\Software\\Classes\\CLSID")]
        for wow64, software, clsid in cases:
            with self.subTest(wow64=wow64):
                lines = self.import_into_fresh_prefix(wow64, MACHINE)
                delphi = "[%s\\Delphi\\7.0]" % software
                for line in [
                    "+" + delphi + ' "RootDir" = REG_SZ "C:\\\\IDE\\\\"',
                    "+" + delphi + ' @ = REG_SZ "quote \\" inside"',
                    "+" + delphi + ' "Count" = REG_DWORD 0x0000002a',
                    "+" + delphi + ' "Blob" = REG_BINARY hex:01,02,03,ff',
                    "+" + delphi + ' "Expand" = REG_EXPAND_SZ "%PATH%"',
                    "+" + delphi + ' "Multi" = REG_MULTI_SZ ["a", "b"]',
                    "+[%s\\{11111111-2222-3333-4444-555555555555}] @ = REG_SZ \"Proxy\"" % clsid,
                    '+[HKLM\\Software\\Classes\\Vek.Proxy] @ = REG_SZ "ProgId"',
                    '+[HKCU\\Software\\Borland\\Delphi\\7.0\\Known Packages] "C:\\\\IDE\\\\Bin\\\\caf\\xe9.bpl"'
                    ' = REG_SZ "Caf\\xe9"',
                ]:
                    self.assertIn(line, lines)
                self.assertFalse([l for l in lines if "Gone" in l or "Doomed" in l], lines)

    def test_malformed_text_is_refused_with_its_line(self):
        # (what is wrong, text, line named)
        cases = [("no header", '[HKEY_CURRENT_USER\\X]\n', "line 1"),
                 ("unknown root", 'REGEDIT4\n\n[HKEY_USERS\\X]\n', "line 3"),
                 ("value outside a key", 'REGEDIT4\n"a"="b"\n', "line 2"),
                 ("short dword", 'REGEDIT4\n[HKEY_CURRENT_USER\\X]\n"a"=dword:1\n', "line 3"),
                 ("bad hex", 'REGEDIT4\n[HKEY_CURRENT_USER\\X]\n"a"=hex:1g\n', "line 3"),
                 ("open string", 'REGEDIT4\n[HKEY_CURRENT_USER\\X]\n"a"="b\n', "line 3")]
        for what, text, line in cases:
            with self.subTest(what=what):
                base = prefixes.make_synthetic_base(self.root / "base", True)
                machine = prefixes.make_light_prefix(base, self.root / "prefix")
                (self.root / "bad.reg").write_text(text)
                hives = (machine.folder / "user.reg").read_bytes()
                result = self.vekreg("import", machine.folder, self.root / "bad.reg")
                self.assertEqual(result.returncode, 1)
                self.assertIn(line, result.stderr.decode())
                self.assertEqual((machine.folder / "user.reg").read_bytes(), hives)


if __name__ == "__main__":
    unittest.main()
