"""The runner end to end, native only, with a stand-in program whose arguments say what it does."""

import io
import os
import pathlib
import shutil
import sys
import tempfile
import unittest

from scenariolib import runner

VEKREG = os.environ.get("VEKREG")

STAND_IN = """#!%s
import os, pathlib, subprocess, sys
code = 0
for arg in sys.argv[1:]:
    key, _, value = arg.partition("=")
    if key == "-exit":
        code = int(value)
    elif key == "-msg":
        print('MessageBoxA("%%s","Warning",0)' %% value, file=sys.stderr)
    elif key == "-stderr":
        print(value, file=sys.stderr)
    elif key == "-reg":
        subprocess.run([%r, "import", os.environ["WINEPREFIX"], value], check=True)
    elif key == "-file":
        name, _, content = value.partition(":")
        path = pathlib.Path(os.environ["WINEPREFIX"], "drive_c", *name.split("\\\\"))
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content.encode())
sys.exit(code)
"""

REG = 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Probe]\n"Known"="C:\\\\IDE\\\\x.bpl"\n'
EXPECTED_REGISTRY = ['+[HKCU\\Software\\Probe]', '+[HKCU\\Software\\Probe] "Known" = REG_SZ "C:\\\\IDE\\\\x.bpl"']


@unittest.skipUnless(VEKREG, "VEKREG names the vekreg tool (ctest sets it)")
class RunnerTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.scratch.name)
        program = self.root / "VekSetup"
        program.write_text(STAND_IN % (sys.executable, VEKREG))
        program.chmod(0o755)
        (self.root / "change.reg").write_text(REG)
        self.tools = runner.Tools(program, pathlib.Path(VEKREG))

    def tearDown(self):
        self.scratch.cleanup()

    def make_case(self, scenario_text, registry_lines, expected_file=b"made"):
        case = self.root / "cases" / "case"
        if case.exists():
            shutil.rmtree(case)
        (case / "files" / "C" / "IDE").mkdir(parents=True)
        (case / "files" / "C" / "IDE" / "old.txt").write_bytes(b"old")
        (case / "expected-files" / "C" / "IDE").mkdir(parents=True)
        (case / "expected-files" / "C" / "IDE" / "new.txt").write_bytes(expected_file)
        (case / "scenario.txt").write_text(scenario_text.replace("REG", str(self.root / "change.reg")))
        (case / "expected-registry.txt").write_text("".join(line + "\n" for line in registry_lines))
        return case

    def run_case(self, case):
        out = io.StringIO()
        ok = runner.run_case(self.tools, case, self.root / "work", out=out)
        return ok, out.getvalue()

    GOOD = ("arg: -reg=REG\narg: -file=IDE\\new.txt:made\narg: -msg=Delphi 7 is not installed.\narg: -exit=0\n"
            "exit: 0\nmessage: Warning | Delphi 7 is not installed.\n")

    def test_a_run_that_does_what_is_expected_passes(self):
        ok, out = self.run_case(self.make_case(self.GOOD, EXPECTED_REGISTRY))
        self.assertTrue(ok, out)

    def test_every_kind_of_fault_fails_and_is_shown(self):
        # (fault, scenario.txt, expected registry, expected new.txt, text the report must hold)
        cases = [
            ("exit code", self.GOOD.replace("exit: 0", "exit: 1"), EXPECTED_REGISTRY, b"made",
             "exit code: expected 1, native 0"),
            ("message text", self.GOOD.replace("message: Warning | Delphi 7", "message: Warning | Delphi 8"),
             EXPECTED_REGISTRY, b"made", "message boxes differ"),
            ("message missing", self.GOOD.replace("arg: -msg=Delphi 7 is not installed.\n", ""),
             EXPECTED_REGISTRY, b"made", "(none)"),
            ("registry", self.GOOD, EXPECTED_REGISTRY[:1], b"made", '+[HKCU\\Software\\Probe] "Known"'),
            ("file content", self.GOOD, EXPECTED_REGISTRY, b"other", "file C/IDE/new.txt differs"),
            ("stray file", self.GOOD + "arg: -file=stray.txt:x\n", EXPECTED_REGISTRY, b"made",
             "file C/stray.txt: in native only"),
            ("starting file lost", self.GOOD + "arg: -file=IDE\\old.txt:changed\n", EXPECTED_REGISTRY, b"made",
             "file C/IDE/old.txt differs"),
            ("sanitizer", self.GOOD + "arg: -stderr=ERROR: AddressSanitizer: heap-use-after-free\n",
             EXPECTED_REGISTRY, b"made", "sanitizer error"),
        ]
        for fault, text, registry_lines, expected_file, shown in cases:
            with self.subTest(fault=fault):
                ok, out = self.run_case(self.make_case(text, registry_lines, expected_file))
                self.assertFalse(ok, out)
                self.assertIn(shown, out)

    def test_update_writes_the_actual_registry_changes(self):
        case = self.make_case(self.GOOD, [])
        ok, out = self.run_case_with_update(case)
        self.assertTrue(ok, out)
        self.assertEqual((case / "expected-registry.txt").read_text().splitlines(), EXPECTED_REGISTRY)

    def run_case_with_update(self, case):
        out = io.StringIO()
        return runner.run_case(self.tools, case, self.root / "work", update=True, out=out), out.getvalue()


if __name__ == "__main__":
    unittest.main()
