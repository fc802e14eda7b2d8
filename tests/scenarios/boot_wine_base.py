#!/usr/bin/env python3
"""Boots the Wine base prefixes the scenarios run on, once per test run (a ctest fixture).

  boot_wine_base.py --bases DIR --cases tests/scenarios/cases

Boots a 64-bit prefix, and a 32-bit one when some case says "wow64: no". Fails loudly when Wine is
missing or cannot boot: the differential run must never pass without Wine.
"""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from scenariolib import prefix, scenario, wine  # noqa: E402


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bases", required=True, type=pathlib.Path)
    parser.add_argument("--cases", required=True, type=pathlib.Path)
    options = parser.parse_args(argv)
    wanted = {True}
    for folder in sorted(options.cases.iterdir()):
        if (folder / "scenario.txt").is_file():
            wanted.add(scenario.load_scenario(folder).wow64)
    options.bases.mkdir(parents=True, exist_ok=True)
    log_path = options.bases / "boot.log"
    with open(log_path, "ab") as log:
        for wow64 in sorted(wanted, reverse=True):
            name = "win64" if wow64 else "win32"
            try:
                wine.boot_base(prefix.Base(options.bases / name), wow64, log)
            except wine.WineError as error:
                print("WINE IS NOT USABLE: %s\nThe scenarios cannot be compared with VekSetup.exe under Wine; "
                      "see %s" % (error, log_path), file=sys.stderr)
                return 1
            print("the %s base prefix is ready in %s" % (name, options.bases / name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
