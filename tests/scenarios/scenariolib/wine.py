"""Wine: booting the base prefix once per test run, and running VekSetup.exe on it.

One booted prefix per architecture serves every scenario: between scenarios its registry is reset by
copying the scenario's starting hives over the prefix's while its Wine server is down, so a scenario
costs one program start (about 2.5 s) rather than a new prefix (15 s and 1.3 GB).
"""

import fcntl
import os
import shutil
import subprocess

from . import prefix as prefixes

# Limits the relay trace to the one call whose arguments the runner reads.
RELAY_INCLUDE = "user32.MessageBoxA"
RUN_TIMEOUT = 300


class WineError(Exception):
    """Wine is missing or does not work; the run cannot compare, so it fails."""


def wine_environment(prefix_folder, relay: bool) -> dict:
    env = dict(os.environ)
    env["WINEPREFIX"] = str(prefix_folder)
    env["WINEDEBUG"] = "-all,+relay" if relay else "-all"
    # Arguments are UTF-8; under another locale Wine would read them in another character set.
    env["LC_ALL"] = "C.UTF-8"
    # No display: message boxes return at once instead of waiting for a click.
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    # No offers to install Mono or Gecko while booting.
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    return env


def _run(command, env, timeout=RUN_TIMEOUT, **kwargs):
    try:
        return subprocess.run(command, env=env, timeout=timeout, **kwargs)
    except FileNotFoundError as error:
        raise WineError("%s is not installed (%s)" % (command[0], error))


def stop_server(prefix_folder):
    """Waits until the prefix's Wine server has ended and written its hives; kills a hung one."""
    env = wine_environment(prefix_folder, relay=False)
    try:
        _run(["wineserver", "-w"], env, timeout=120, check=False)
    except subprocess.TimeoutExpired:
        _run(["wineserver", "-k"], env, timeout=60, check=False)
        _run(["wineserver", "-w"], env, timeout=60, check=False)


def boot_base(base: prefixes.Base, wow64: bool, log):
    """Boots a Wine prefix for the base, settles it and records it (see prefix.Base). A base kept from
    an earlier test run is tidied instead: a run that was killed half-way may have left files in it."""
    if base.is_ready():
        stop_server(base.wine_prefix)
        tidy(base)
        return
    if shutil.which("wine") is None:
        raise WineError("wine is not installed: the differential run needs it (see the README)")
    if base.folder.exists():
        shutil.rmtree(base.folder)
    base.folder.mkdir(parents=True)
    folder = base.wine_prefix
    env = wine_environment(folder, relay=False)
    env["WINEARCH"] = "win64" if wow64 else "win32"
    steps = [
        ["wineboot", "-i"],
        ["wine", "reg", "add", "HKCU\\Software\\Wine\\Debug", "/v", "RelayInclude", "/d", RELAY_INCLUDE, "/f"],
    ]
    for command in steps:
        result = _run(command, env, stdout=log, stderr=log, check=False)
        stop_server(folder)
        if result.returncode != 0:
            raise WineError("%s failed with exit code %d" % (" ".join(command), result.returncode))
    # The first traced starts write the relay defaults and settle what Wine changes only once after a
    # boot; after them a start changes no more than what registry.WINE_CHURN names.
    relay_env = wine_environment(folder, relay=True)
    for _ in range(2):
        _run(["wine", "reg", "query", "HKCU\\Software\\Wine\\Debug"], relay_env,
             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        stop_server(folder)
    base.record(prefixes.Prefix(folder, prefixes.booted_user(folder)))


def tidy(base: prefixes.Base):
    """Puts the base's Wine prefix back as it was recorded: its hives, and no entry at the top of drive C
    or of the application-data folder, and no drive, that the boot did not make."""
    prefix = prefixes.Prefix(base.wine_prefix, base.user())
    prefix.copy_hives_from(base.hives)
    recorded = set(base.skeleton())
    for folder in (prefix.drive_c, prefix.appdata):
        for entry in folder.iterdir():
            if str(entry.relative_to(prefix.drive_c)) in recorded:
                continue
            if entry.is_dir() and not entry.is_symlink():
                shutil.rmtree(entry)
            else:
                entry.unlink()
    for link, folder in prefix.extra_drives():
        link.unlink()
        shutil.rmtree(folder, ignore_errors=True)


class PrefixLock:
    """Holds the base prefix for one scenario at a time, also when the runner is started by hand
    beside ctest (ctest itself serialises the Wine scenarios with a resource lock)."""

    def __init__(self, base: prefixes.Base):
        self.path = base.folder / "lock"

    def __enter__(self):
        self.file = open(self.path, "w")
        fcntl.flock(self.file, fcntl.LOCK_EX)
        return self

    def __exit__(self, *exc):
        fcntl.flock(self.file, fcntl.LOCK_UN)
        self.file.close()


def run_program(prefix_folder, exe, args, cwd):
    """Runs exe under Wine with the relay trace of MessageBoxA; waits for the server to write the
    hives. Returns the CompletedProcess (stderr holds the trace)."""
    stop_server(prefix_folder)
    env = wine_environment(prefix_folder, relay=True)
    result = _run(["wine", str(exe)] + list(args), env, cwd=cwd, stdin=subprocess.DEVNULL,
                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    stop_server(prefix_folder)
    return result
