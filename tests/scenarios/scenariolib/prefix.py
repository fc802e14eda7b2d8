"""Wine-style prefixes for the scenarios: the base machine, and the light copies the native build runs on.

A base is a folder holding `hives/` (system.reg, user.reg, userdef.reg), `skeleton.txt` (the folders of
drive C, one per line, relative) and, when Wine booted it, `prefix/` (the real Wine prefix). The native
build runs on a light prefix made from a base: the same hives, the same folders of drive C (no files),
and the drive links of dosdevices. Both builds therefore start from the same registry and layout.
"""

import getpass
import os
import pathlib
import shutil
import tempfile

HIVE_FILES = ("system.reg", "user.reg", "userdef.reg")


class Prefix:
    """A Wine-style prefix folder and where its drives and application-data folder are."""

    def __init__(self, folder, user):
        self.folder = pathlib.Path(folder)
        self.user = user

    @property
    def drive_c(self) -> pathlib.Path:
        return self.folder / "drive_c"

    @property
    def appdata(self) -> pathlib.Path:
        return self.drive_c / "users" / self.user / "AppData" / "Roaming"

    def top_folder(self, top: str) -> pathlib.Path:
        """The unix folder for the first folder of a scenario's files/ layout: a drive letter or APPDATA.
        Drives other than C are made on demand as drive_<letter>, linked from dosdevices."""
        if top == "APPDATA":
            return self.appdata
        if len(top) != 1 or not top.isalpha():
            raise ValueError("files/%s: the first folder is a drive letter or APPDATA" % top)
        letter = top.lower()
        if letter == "c":
            return self.drive_c
        if letter == "z":
            raise ValueError("files/Z: drive Z is the host's root and cannot hold scenario files")
        folder = self.folder / ("drive_" + letter)
        link = self.folder / "dosdevices" / (letter + ":")
        if not link.is_symlink():
            folder.mkdir(exist_ok=True)
            link.symlink_to("../drive_" + letter)
        return folder

    def extra_drives(self):
        """The drives made by top_folder() beyond C, as (link, folder)."""
        found = []
        for link in sorted((self.folder / "dosdevices").glob("?:")):
            if link.name.lower() not in ("c:", "z:") and os.readlink(link).startswith("../drive_"):
                found.append((link, self.folder / os.readlink(link)[3:]))
        return found

    def copy_hives_from(self, folder):
        for name in HIVE_FILES:
            source = pathlib.Path(folder) / name
            if source.exists():
                shutil.copyfile(source, self.folder / name)

    def copy_hives_to(self, folder):
        pathlib.Path(folder).mkdir(parents=True, exist_ok=True)
        for name in HIVE_FILES:
            source = self.folder / name
            if source.exists():
                shutil.copyfile(source, pathlib.Path(folder) / name)


class Base:
    """A base machine folder (see the module comment)."""

    def __init__(self, folder):
        self.folder = pathlib.Path(folder)

    @property
    def hives(self) -> pathlib.Path:
        return self.folder / "hives"

    @property
    def wine_prefix(self) -> pathlib.Path:
        return self.folder / "prefix"

    def skeleton(self) -> list:
        return [line for line in (self.folder / "skeleton.txt").read_text().splitlines() if line]

    def user(self) -> str:
        return (self.folder / "user.txt").read_text().strip()

    def is_ready(self) -> bool:
        return (self.folder / "ready").exists()

    def record(self, prefix: Prefix):
        """Stores a booted prefix's hives, folder layout and user as this base's."""
        prefix.copy_hives_to(self.hives)
        folders = sorted(
            str(path.relative_to(prefix.drive_c))
            for path in prefix.drive_c.rglob("*")
            if path.is_dir() and not path.is_symlink()
        )
        (self.folder / "skeleton.txt").write_text("".join(f + "\n" for f in folders))
        (self.folder / "user.txt").write_text(prefix.user + "\n")
        (self.folder / "ready").write_text("")


def booted_user(prefix_folder) -> str:
    """The user whose profile Wine made in a booted prefix."""
    users = [p.name for p in (pathlib.Path(prefix_folder) / "drive_c" / "users").iterdir()
             if p.is_dir() and p.name != "Public"]
    if len(users) != 1:
        raise RuntimeError("cannot tell the user of %s: %s" % (prefix_folder, users))
    return users[0]


def make_light_prefix(base: Base, folder) -> Prefix:
    """A fresh light prefix for the native build: the base's hives and folders, the drive links."""
    folder = pathlib.Path(folder)
    if folder.exists():
        shutil.rmtree(folder)
    prefix = Prefix(folder, base.user())
    (folder / "dosdevices").mkdir(parents=True)
    prefix.drive_c.mkdir()
    for relative in base.skeleton():
        (prefix.drive_c / relative).mkdir(parents=True, exist_ok=True)
    (folder / "dosdevices" / "c:").symlink_to("../drive_c")
    (folder / "dosdevices" / "z:").symlink_to("/")
    prefix.copy_hives_from(base.hives)
    return prefix


_HIVE_HEADER = "WINE REGISTRY Version 2\n;; All keys relative to %s\n\n#arch=%s\n"


_LINK_TARGET = "\\Registry\\Machine\\Software\\Classes\\Wow6432Node".encode("utf-16-le")
# The 32-bit views exist only where Wine made their Wow6432Node keys, as a booted 64-bit prefix has them.
_WOW64_KEYS = (
    "\n[Software\\\\Classes\\\\Wow6432Node\\\\CLSID] 1700000000\n#time=1d9f4a1b2c3d4e5\n"
    "\n[Software\\\\Wow6432Node\\\\Classes] 1700000000\n#time=1d9f4a1b2c3d4e5\n#link\n"
    '"SymbolicLinkValue"=hex(6):' + ",".join("%02x" % b for b in _LINK_TARGET) + "\n"
)


def make_synthetic_base(folder, wow64: bool) -> Base:
    """A base without Wine: hives with what a booted prefix holds that the program may rely on (the
    user's application-data folder), and the folders of a booted prefix's drive C."""
    base = Base(folder)
    if base.is_ready():
        return base
    # Made aside and renamed into place, so that cases run side by side never see half a base.
    scratch = Base(tempfile.mkdtemp(prefix=base.folder.name + ".", dir=base.folder.parent))
    _write_synthetic_base(scratch, wow64)
    try:
        os.rename(scratch.folder, base.folder)
    except OSError:
        shutil.rmtree(scratch.folder)  # another case made it first
    return base


def _write_synthetic_base(base: Base, wow64: bool):
    arch = "win64" if wow64 else "win32"
    user = getpass.getuser()
    appdata = "C:\\\\users\\\\%s\\\\AppData\\\\Roaming" % user
    base.hives.mkdir(parents=True, exist_ok=True)
    (base.hives / "system.reg").write_text(_HIVE_HEADER % ("REGISTRY\\\\Machine", arch) + (_WOW64_KEYS if wow64 else ""))
    (base.hives / "userdef.reg").write_text(_HIVE_HEADER % ("REGISTRY\\\\User\\\\.Default", arch))
    (base.hives / "user.reg").write_text(
        _HIVE_HEADER % ("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", arch)
        + "\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1700000000\n"
        + '#time=1d9f4a1b2c3d4e5\n"AppData"="%s"\n' % appdata
    )
    folders = ["windows", "windows/system32", "users", "users/Public", "users/" + user,
               "users/%s/AppData" % user, "users/%s/AppData/Roaming" % user, "users/%s/Temp" % user,
               "Program Files", "ProgramData"]
    if wow64:
        folders += ["windows/syswow64", "Program Files (x86)"]
    (base.folder / "skeleton.txt").write_text("".join(f + "\n" for f in sorted(folders)))
    (base.folder / "user.txt").write_text(user + "\n")
    (base.folder / "ready").write_text("")
