#!/usr/bin/env python3
"""Makes a small Wine-style prefix with three installed IDEs and a product on disk, runs the native
VekSetup on it to install and then to uninstall the product, and prints what each run changed in the
registry and the files. A last run names one more IDE, Delphi 24, that the machine does not have: it
shows the warning and changes nothing at all, not even for the IDEs that are installed.

  sample_prefix.py --native build/VekSetup --vekreg build/tests/scenarios/tools/vekreg \
      --prefix build/sample-prefix [--machine examples/sample-machine]

The prefix stays for a look afterwards (WINEPREFIX=<prefix> wine regedit works on it too).
"""

import argparse
import pathlib
import shlex
import subprocess
import sys
import types

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "scenarios"))

from scenariolib import compare, files, messages, prefix as prefixes, registry, runner  # noqa: E402


def run(tools, prefix, arguments):
    print("\n$ WINEPREFIX=%s %s %s" % (prefix.folder, tools.native, " ".join(shlex.quote(a) for a in arguments)))
    result = subprocess.run([str(tools.native)] + runner.program_arguments(arguments),
                            env=runner.native_environment(prefix.folder), stdin=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    stderr = result.stderr.decode("latin-1")
    print("exit code %d" % result.returncode)
    boxes = messages.parse_native(stderr)
    print("message boxes:\n" + compare.describe_messages(boxes))
    others = [line for line in stderr.splitlines() if not line.startswith("MessageBoxA(")]
    if others:
        print("standard error:\n  " + "\n  ".join(others))
    return result.returncode


def show_changes(title, before_registry, after_registry, before_files, after_files):
    print("\n---- %s: registry" % title)
    print("\n".join(registry.diff(before_registry, after_registry)) or "(no change)")
    print("\n---- %s: files" % title)
    print("\n".join(compare.file_differences("before", before_files, "after", after_files)) or "(no change)")


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--native", required=True, type=pathlib.Path)
    parser.add_argument("--vekreg", required=True, type=pathlib.Path)
    parser.add_argument("--prefix", required=True, type=pathlib.Path)
    parser.add_argument("--machine", type=pathlib.Path, default=HERE / "sample-machine")
    options = parser.parse_args(argv)
    tools = runner.Tools(options.native.resolve(), options.vekreg.resolve())
    folder = options.prefix.resolve()
    folder.parent.mkdir(parents=True, exist_ok=True)

    base = prefixes.make_synthetic_base(folder.parent / (folder.name + "-base"), wow64=True)
    prefix = prefixes.make_light_prefix(base, folder)
    runner.vekreg(tools, "import", prefix.folder, options.machine / "machine.reg")
    machine = types.SimpleNamespace(files_folder=options.machine / "files",
                                    expected_files_folder=options.machine / "no-expected-files")
    laid = files.LaidFiles(prefix, machine, folder.parent / (folder.name + "-covered"))
    arguments = (options.machine / "arguments.txt").read_text().splitlines()
    print("Made the prefix %s: the IDEs of %s, the files of %s" % (
        prefix.folder, options.machine / "machine.reg", options.machine / "files"))

    dumps = runner.HiveDumps(tools)
    start_registry, start_files = dumps.read(prefix.folder), laid.collect()
    codes = [run(tools, prefix, arguments)]
    installed_registry, installed_files = dumps.read(prefix.folder), laid.collect()
    show_changes("install", start_registry, installed_registry, start_files, installed_files)

    codes.append(run(tools, prefix, arguments + ["-U"]))
    removed_registry, removed_files = dumps.read(prefix.folder), laid.collect()
    show_changes("uninstall", installed_registry, removed_registry, installed_files, removed_files)
    show_changes("install and uninstall together", start_registry, removed_registry, start_files, removed_files)

    codes.append(run(tools, prefix, with_missing_ide(arguments)))
    missing_registry, missing_files = dumps.read(prefix.folder), laid.collect()
    show_changes("install naming a missing IDE", removed_registry, missing_registry, removed_files, missing_files)
    return 0 if codes == [0, 0, 0] else 1


def with_missing_ide(arguments):
    """The arguments with Delphi 24, which the sample machine does not have, added to the IDE lists."""
    extra = {"-CN=": "|Delphi", "-CV=": "|24"}
    return [argument + extra.get(argument[:4].upper(), "") for argument in arguments]


if __name__ == "__main__":
    sys.exit(main())
