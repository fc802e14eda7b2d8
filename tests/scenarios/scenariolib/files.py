"""The files of a scenario in a prefix: laying files/ in, reading back what the run left, cleaning up.

Paths are labels in the layout of files/: "C/IDE/Bin/default.bpr", "APPDATA/Embarcadero/...". The
compared area is made of roots: for every file of files/ and expected-files/, the first folder on its
path that the machine did not have before (or the file itself when all its folders existed). Every file
under a root is the scenario's; files outside the roots belong to the machine and are not looked at,
except that a new entry at the top of drive C or of APPDATA is reported as a stray file.
"""

import pathlib
import shutil


def scenario_labels(folder) -> list:
    """The labels of the files below a files/ or expected-files/ folder."""
    folder = pathlib.Path(folder)
    if not folder.is_dir():
        return []
    return sorted(str(p.relative_to(folder)) for p in folder.rglob("*") if p.is_file())


def read_tree(folder) -> dict:
    folder = pathlib.Path(folder)
    return {label: (folder / label).read_bytes() for label in scenario_labels(folder)}


def expected_files(scenario) -> dict:
    """The files the run must leave: files/ with expected-files/ laid over it."""
    expected = read_tree(scenario.files_folder)
    expected.update(read_tree(scenario.expected_files_folder))
    return expected


def _find_entry(folder: pathlib.Path, name: str):
    """The entry of folder named name without regard to case, as Wine matches it; None if absent."""
    exact = folder / name
    if exact.exists() or exact.is_symlink():
        return exact
    if not folder.is_dir():
        return None
    lowered = name.lower()
    for entry in folder.iterdir():
        if entry.name.lower() == lowered:
            return entry
    return None


def resolve(prefix, label: str):
    """The unix path of a label as it is on disk now, or None; missing parts matched by name."""
    parts = label.split("/")
    path = prefix.top_folder(parts[0])
    for part in parts[1:]:
        found = _find_entry(path, part)
        if found is None:
            return None
        path = found
    return path


def find_roots(prefix, labels) -> list:
    """The roots (see the module comment) of the labels, with nested roots dropped."""
    roots = []
    for label in labels:
        parts = label.split("/")
        path = prefix.top_folder(parts[0])
        root = label
        for depth in range(1, len(parts)):
            found = _find_entry(path, parts[depth])
            if found is None:
                root = "/".join(parts[: depth + 1])
                break
            path = found
        roots.append(root)
    kept = []
    for root in sorted(set(roots)):
        if not any(root.startswith(other + "/") for other in kept):
            kept.append(root)
    return kept


def _unix_for_new(prefix, label: str) -> pathlib.Path:
    """Where a label goes: existing folders matched by name, the rest spelled as in the label."""
    parts = label.split("/")
    path = prefix.top_folder(parts[0])
    for part in parts[1:]:
        path = _find_entry(path, part) or path / part
    return path


class LaidFiles:
    """The files of one scenario laid into a prefix; undo() takes them out again and puts back any
    file of the machine they covered."""

    def __init__(self, prefix, scenario, backup_folder):
        self.prefix = prefix
        self.backup_folder = pathlib.Path(backup_folder)
        self.backups = []  # (label, backup path)
        labels = scenario_labels(scenario.files_folder)
        self.roots = find_roots(prefix, labels + scenario_labels(scenario.expected_files_folder))
        self.tops_before = self._tops()
        for label in labels:
            target = _unix_for_new(prefix, label)
            if target.exists():
                backup = self.backup_folder / label
                backup.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(target, backup)
                self.backups.append((label, backup))
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(scenario.files_folder / label, target)

    def _tops(self) -> set:
        tops = set()
        for top, folder in (("C", self.prefix.drive_c), ("APPDATA", self.prefix.appdata)):
            if folder.is_dir():
                tops.update(top + "/" + entry.name for entry in folder.iterdir())
        return tops

    def stray_roots(self) -> list:
        """New entries at the top of drive C or APPDATA that no root covers."""
        return sorted(t for t in self._tops() - self.tops_before
                      if not any(t == r or t.startswith(r + "/") for r in self.roots))

    def collect(self) -> dict:
        """Every file under the roots and the stray entries, by label."""
        found = {}
        for root in self.roots + self.stray_roots():
            path = resolve(self.prefix, root)
            if path is None:
                continue
            if path.is_file():
                found[root] = path.read_bytes()
                continue
            for entry in path.rglob("*"):
                if entry.is_file():
                    found[root + "/" + str(entry.relative_to(path))] = entry.read_bytes()
        return found

    def undo(self):
        for root in self.roots + self.stray_roots():
            path = resolve(self.prefix, root)
            if path is None:
                continue
            if path.is_dir() and not path.is_symlink():
                shutil.rmtree(path)
            else:
                path.unlink()
        for label, backup in self.backups:
            target = _unix_for_new(self.prefix, label)
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(backup, target)
        for link, folder in self.prefix.extra_drives():
            link.unlink()
            shutil.rmtree(folder, ignore_errors=True)
