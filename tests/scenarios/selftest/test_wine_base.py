import pathlib
import tempfile
import unittest

from scenariolib import prefix as prefixes, wine


class TidyTest(unittest.TestCase):
    def test_tidy_puts_back_what_a_killed_run_left(self):
        with tempfile.TemporaryDirectory() as scratch:
            base = prefixes.make_synthetic_base(pathlib.Path(scratch) / "base", wow64=True)
            machine = prefixes.make_light_prefix(base, base.wine_prefix)
            (machine.drive_c / "IDE" / "Bin").mkdir(parents=True)
            (machine.drive_c / "stray.txt").write_text("x")
            (machine.appdata / "Embarcadero").mkdir()
            (machine.drive_c / "windows" / "kept.dll").write_text("inside a recorded folder")
            machine.top_folder("D")
            (machine.folder / "user.reg").write_text("changed")

            wine.tidy(base)

            self.assertEqual(sorted(p.name for p in machine.drive_c.iterdir()),
                             sorted(f for f in base.skeleton() if "/" not in f))
            self.assertEqual(list(machine.appdata.iterdir()), [])
            self.assertTrue((machine.drive_c / "windows" / "kept.dll").exists())
            self.assertEqual(sorted(p.name for p in (machine.folder / "dosdevices").iterdir()), ["c:", "z:"])
            self.assertFalse((machine.folder / "drive_d").exists())
            self.assertEqual((machine.folder / "user.reg").read_bytes(), (base.hives / "user.reg").read_bytes())


if __name__ == "__main__":
    unittest.main()
