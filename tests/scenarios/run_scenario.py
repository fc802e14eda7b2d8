#!/usr/bin/env python3
"""Runs scenario cases (tests/scenarios/cases/<name>/) with the native VekSetup and, when given,
VekSetup.exe under Wine, and compares registry, files, message boxes and exit code.

  run_scenario.py --native build/VekSetup --vekreg build/tests/tools/vekreg --work /tmp/w CASE...
        [--wine-exe build-win32/VekSetup.exe --wine-bases build/tests/scenarios/wine-base] [--update]

Exit code 0 when every case agrees with its expectation (and both builds agree), 1 otherwise.
"""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from scenariolib import runner, scenario, wine  # noqa: E402


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cases", nargs="+", type=pathlib.Path, help="case folders")
    parser.add_argument("--native", required=True, type=pathlib.Path, help="the native VekSetup")
    parser.add_argument("--vekreg", required=True, type=pathlib.Path, help="the vekreg tool")
    parser.add_argument("--work", required=True, type=pathlib.Path, help="scratch folder")
    parser.add_argument("--wine-exe", type=pathlib.Path, help="VekSetup.exe; without it, native only")
    parser.add_argument("--wine-bases", type=pathlib.Path, help="folder of the booted base prefixes")
    parser.add_argument("--update", action="store_true", help="write the actual registry changes as expected")
    options = parser.parse_args(argv)
    if options.wine_exe and not options.wine_bases:
        parser.error("--wine-exe needs --wine-bases")
    tools = runner.Tools(options.native, options.vekreg, options.wine_exe, options.wine_bases)
    ok = True
    for case in options.cases:
        try:
            ok = runner.run_case(tools, case, options.work, options.update) and ok
        except (scenario.ScenarioError, wine.WineError, RuntimeError) as error:
            print("FAILED %s: %s" % (case, error))
            ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
