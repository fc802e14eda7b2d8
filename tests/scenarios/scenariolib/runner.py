"""Runs one scenario: the native build on a light prefix, VekSetup.exe under Wine on the booted base
prefix, both from the same starting hives and files; then compares both with the expectation and
with each other."""

import dataclasses
import hashlib
import os
import pathlib
import re
import shutil
import subprocess
import sys

from . import compare, files, messages, prefix as prefixes, registry, scenario as scenarios, wine

RUN_TIMEOUT = 300


@dataclasses.dataclass
class Tools:
    native: pathlib.Path  # the native VekSetup
    vekreg: pathlib.Path  # tests/tools vekreg
    wine_exe: object = None  # VekSetup.exe, or None for a native-only run
    wine_bases: object = None  # folder holding the booted bases (win64/, win32/)


def arch_name(wow64: bool) -> str:
    return "win64" if wow64 else "win32"


def program_arguments(args) -> list:
    """Arguments as a Linux shell hands them over: the scenario's ANSI (Windows-1252) texts in UTF-8.
    Wine converts them back to the ANSI code page for VekSetup.exe."""
    encoded = []
    for arg in args:
        raw = arg.encode("latin-1")
        try:
            encoded.append(raw.decode("cp1252").encode("utf-8"))
        except UnicodeDecodeError:
            encoded.append(raw)
    return encoded


def vekreg(tools: Tools, *args) -> str:
    result = subprocess.run([str(tools.vekreg)] + [str(a) for a in args], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=RUN_TIMEOUT)
    if result.returncode != 0:
        raise RuntimeError("vekreg %s failed (%d): %s" % (args[0], result.returncode,
                                                          result.stderr.decode("latin-1")))
    return result.stdout.decode("utf-8", errors="surrogateescape")


class HiveDumps:
    """The registry of prefixes through `vekreg dump`, remembered by each hive file's content: a hive
    that a run left as it was (the native build does not rewrite an unchanged hive) is not read again."""

    def __init__(self, tools):
        self.tools = tools
        self.known = {}

    def read(self, prefix_folder) -> dict:
        keys = {}
        for hive, file_name in (("HKLM", "system.reg"), ("HKCU", "user.reg")):
            path = pathlib.Path(prefix_folder) / file_name
            identity = (hive, hashlib.sha256(path.read_bytes() if path.exists() else b"").digest())
            if identity not in self.known:
                self.known[identity] = registry.parse_dump(vekreg(self.tools, "dump", prefix_folder, hive))
            keys.update(self.known[identity])
        return keys

    def diff_from(self, before, prefix_folder) -> list:
        return registry.diff(before, self.read(prefix_folder), registry.WINE_CHURN)


def native_environment(prefix_folder) -> dict:
    env = dict(os.environ)
    env["WINEPREFIX"] = str(prefix_folder)
    env["LC_ALL"] = "C.UTF-8"  # as for Wine: the arguments are UTF-8
    # Sanitizer failures get exit codes of their own, never the program's 0 or 1.
    env["ASAN_OPTIONS"] = "exitcode=86:detect_leaks=1"
    env["UBSAN_OPTIONS"] = "halt_on_error=1:print_stacktrace=1:exitcode=87"
    return env


def run_native(tools, dumps, case, work, base):
    """Makes the native prefix with machine.reg imported, runs the native build on it. Returns the
    starting hives (for the Wine run), the dump before the run and the outcome."""
    prefix = prefixes.make_light_prefix(base, work / "native")
    if case.machine_reg:
        vekreg(tools, "import", prefix.folder, case.machine_reg)
    start_hives = work / "start"
    prefix.copy_hives_to(start_hives)
    before = dumps.read(prefix.folder)
    laid = files.LaidFiles(prefix, case, work / "native-backup")
    result = subprocess.run([str(tools.native)] + program_arguments(case.args), env=native_environment(prefix.folder),
                            cwd=work, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            timeout=RUN_TIMEOUT)
    stderr = result.stderr.decode("latin-1")
    outcome = compare.Outcome("native", result.returncode, messages.parse_native(stderr),
                              dumps.diff_from(before, prefix.folder), laid.collect(), stderr)
    return start_hives, before, outcome


def run_wine(tools, dumps, case, work, start_hives, before, base) -> compare.Outcome:
    prefix = prefixes.Prefix(base.wine_prefix, base.user())
    with wine.PrefixLock(base):
        wine.stop_server(prefix.folder)
        prefix.copy_hives_from(start_hives)
        laid = files.LaidFiles(prefix, case, work / "wine-backup")
        try:
            result = wine.run_program(prefix.folder, tools.wine_exe, program_arguments(case.args), work)
            stderr = result.stderr.decode("latin-1")
            return compare.Outcome("Wine", result.returncode, messages.parse_relay(stderr),
                                   dumps.diff_from(before, prefix.folder), laid.collect(), stderr)
        finally:
            wine.stop_server(prefix.folder)
            laid.undo()
            prefix.copy_hives_from(base.hives)


def choose_base(tools, case, work) -> prefixes.Base:
    if tools.wine_exe is None:
        return prefixes.make_synthetic_base(work.parent / ("synthetic-" + arch_name(case.wow64)), case.wow64)
    base = prefixes.Base(pathlib.Path(tools.wine_bases) / arch_name(case.wow64))
    if not base.is_ready():
        raise wine.WineError("the Wine base prefix %s was not booted (the wine-base fixture failed?)" % base.folder)
    return base


def check_layout(case):
    for label in files.scenario_labels(case.files_folder) + files.scenario_labels(case.expected_files_folder):
        top = label.split("/")[0]
        if top != "APPDATA" and not (len(top) == 1 and top.isupper()):
            raise scenarios.ScenarioError("%s: files/%s: the first folder is an upper-case drive letter or "
                                          "APPDATA" % (case.name, label))


def run_case(tools: Tools, case_folder, work_root, update=False, out=sys.stdout) -> bool:
    """Runs one case and prints every difference; True when there is none."""
    case = scenarios.load_scenario(case_folder)
    check_layout(case)
    if tools.wine_exe is not None and not pathlib.Path(tools.wine_exe).is_file():
        raise wine.WineError("VekSetup.exe was not built: %s" % tools.wine_exe)
    work = pathlib.Path(work_root) / case.name
    if work.exists():
        shutil.rmtree(work)
    work.mkdir(parents=True)
    base = choose_base(tools, case, work)
    expected = compare.expectation(case, files.expected_files(case))

    dumps = HiveDumps(tools)
    start_hives, before, native = run_native(tools, dumps, case, work, base)
    outcomes = [native]
    if tools.wine_exe is not None:
        outcomes.append(run_wine(tools, dumps, case, work, start_hives, before, base))
    else:
        print("NOTE: native build only; VekSetup.exe under Wine was not run", file=out)

    if update:
        case.expected_registry_file.write_bytes("".join(l + "\n" for l in native.registry).encode("latin-1"))
        print("wrote %s; the run showed exit code %d and messages:\n%s" % (
            case.expected_registry_file, native.exit_code, compare.describe_messages(native.messages)), file=out)
        expected.registry = case.expected_registry()

    differences = []
    for outcome in outcomes:
        differences += compare.sanitizer_reports(outcome)
        differences += ["[%s vs expected] %s" % (outcome.build, d)
                        for d in compare.compare(expected, outcome, "expected", outcome.build, False)]
    if len(outcomes) == 2:
        differences += ["[native vs Wine] " + d for d in compare.compare(native, outcomes[1], "native", "Wine", True)]
    for difference in differences:
        print("DIFFERENCE " + difference + "\n", file=out)
    if differences:
        for outcome in outcomes:
            print("---- %s stderr (exit code %d) ----\n%s" % (outcome.build, outcome.exit_code,
                                                            _stderr_excerpt(outcome)), file=out)
    else:
        print("%s: %s agree with the expectation" % (case.name, " and ".join(o.build for o in outcomes)), file=out)
    return not differences


_RELAY_NOISE = re.compile(r"^[0-9a-f]{4}:(Call |Ret |Starting thread|trace:relay)")


def _stderr_excerpt(outcome) -> str:
    """The native stderr whole; of Wine's, the program's own lines and its MessageBoxA calls."""
    if outcome.build != "Wine":
        return outcome.stderr
    return "\n".join(l for l in outcome.stderr.split("\n") if "user32.MessageBoxA(" in l or not _RELAY_NOISE.match(l))
