import pathlib
import tempfile
import types
import unittest

from scenariolib import compare, files, prefix as prefixes


def write(path: pathlib.Path, data: bytes):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


class LaidFilesTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        root = pathlib.Path(self.scratch.name)
        self.prefix = prefixes.Prefix(root / "prefix", "tester")
        (self.prefix.folder / "dosdevices").mkdir(parents=True)
        self.prefix.appdata.mkdir(parents=True)
        write(self.prefix.drive_c / "windows" / "system32" / "machine.dll", b"machine's")
        case = root / "case"
        write(case / "files" / "C" / "IDE" / "Bin" / "default.bpr", b"template")
        write(case / "files" / "C" / "Windows" / "System32" / "machine.dll", b"scenario's")
        write(case / "files" / "D" / "Data" / "x.txt", b"on D")
        write(case / "expected-files" / "APPDATA" / "Embarcadero" / "BDS" / "EnvOptions.proj", b"<xml/>")
        self.case = types.SimpleNamespace(files_folder=case / "files", expected_files_folder=case / "expected-files")

    def tearDown(self):
        self.scratch.cleanup()

    def test_roots_are_the_first_new_folders(self):
        laid = files.LaidFiles(self.prefix, self.case, pathlib.Path(self.scratch.name) / "backup")
        self.assertEqual(laid.roots, ["APPDATA/Embarcadero", "C/IDE", "C/Windows/System32/machine.dll", "D/Data"])
        # existing folders are matched without regard to case, as Wine matches them
        self.assertEqual((self.prefix.drive_c / "windows" / "system32" / "machine.dll").read_bytes(), b"scenario's")
        self.assertFalse((self.prefix.drive_c / "Windows").exists())

    def test_collect_sees_new_and_stray_files_and_undo_restores_the_machine(self):
        laid = files.LaidFiles(self.prefix, self.case, pathlib.Path(self.scratch.name) / "backup")
        write(self.prefix.appdata / "Embarcadero" / "BDS" / "EnvOptions.proj", b"<xml/>")
        write(self.prefix.drive_c / "IDE" / "Bin" / "new.dst", b"new")
        write(self.prefix.drive_c / "stray.txt", b"stray")
        write(self.prefix.drive_c / "windows" / "other.txt", b"outside every root")
        self.assertEqual(laid.collect(), {
            "APPDATA/Embarcadero/BDS/EnvOptions.proj": b"<xml/>", "C/IDE/Bin/default.bpr": b"template",
            "C/IDE/Bin/new.dst": b"new", "C/Windows/System32/machine.dll": b"scenario's",
            "C/stray.txt": b"stray", "D/Data/x.txt": b"on D"})
        laid.undo()
        self.assertEqual((self.prefix.drive_c / "windows" / "system32" / "machine.dll").read_bytes(), b"machine's")
        for gone in ["IDE", "stray.txt"]:
            self.assertFalse((self.prefix.drive_c / gone).exists(), gone)
        self.assertFalse((self.prefix.appdata / "Embarcadero").exists())
        self.assertEqual(list((self.prefix.folder / "dosdevices").iterdir()), [])

    def test_expected_files_lay_over_the_starting_files(self):
        expected = files.expected_files(self.case)
        self.assertEqual(expected["C/IDE/Bin/default.bpr"], b"template")
        self.assertEqual(expected["APPDATA/Embarcadero/BDS/EnvOptions.proj"], b"<xml/>")


class FileCompareTest(unittest.TestCase):
    def test_each_kind_of_file_difference_is_reported(self):
        expected = compare.Outcome("expected", 0, [], [], {"C/a": b"1\r\n2\r\n", "C/b": b"x"})
        # (what, actual files, text that the report must hold)
        cases = [("content", {"C/a": b"1\r\n3\r\n", "C/b": b"x"}, "-2\\r\\n"),
                 ("missing", {"C/a": b"1\r\n2\r\n"}, "file C/b: in expected only"),
                 ("extra", {"C/a": b"1\r\n2\r\n", "C/b": b"x", "C/c": b""}, "file C/c: in actual only")]
        for what, actual_files, shown in cases:
            with self.subTest(what=what):
                actual = compare.Outcome("actual", 0, [], [], actual_files)
                found = compare.compare(expected, actual, "expected", "actual", False)
                self.assertEqual(len(found), 1)
                self.assertIn(shown, found[0])


if __name__ == "__main__":
    unittest.main()
