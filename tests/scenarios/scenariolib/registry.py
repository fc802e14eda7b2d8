"""The registry of a prefix as the `vekreg dump` tool prints it, and the canonical diff of two dumps.

Dump lines (UTF-8, tab-separated, names escaped as in escape.py, data as stored):
  K <hive> <key path>
  V <hive> <key path> <value name> <type> <data as hex>
The hives are HKLM (system.reg) and HKCU (user.reg), with key paths as stored (no 32-bit view), so
that a write to the wrong view shows.

Diff lines, the format of expected-registry.txt, ordered by key (case-insensitively, component by
component, as Wine orders keys), then value name, a removal before an addition:
  +[HKCU\\Software\\X]                            a key added
  -[HKCU\\Software\\X] "name" = REG_SZ "text"     a value removed (a changed value: - old, + new)
"""

import dataclasses

from . import escape

# What Wine itself changes on every start of a program, measured with a program that does nothing.
# Exact keys and values only: anything broader could hide a change of the program.
WINE_CHURN = {
    ("HKLM", "system\\currentcontrolset\\control\\class\\{4d36e968-e325-11ce-bfc1-08002be10318}\\0000",
     "driverdatedata"),
}

_TYPE_NAMES = {0: "REG_NONE", 1: "REG_SZ", 2: "REG_EXPAND_SZ", 3: "REG_BINARY", 4: "REG_DWORD",
               5: "REG_DWORD_BIG_ENDIAN", 6: "REG_LINK", 7: "REG_MULTI_SZ", 11: "REG_QWORD"}


@dataclasses.dataclass(frozen=True)
class Value:
    name: str
    type: int
    data: bytes

    def describe(self) -> str:
        name = "@" if self.name == "" else '"%s"' % escape.escape(self.name)
        type_name = _TYPE_NAMES.get(self.type, "REG_TYPE_%d" % self.type)
        return "%s = %s %s" % (name, type_name, format_data(self.type, self.data))


def _utf16_units(data: bytes):
    return [int.from_bytes(data[i : i + 2], "little") for i in range(0, len(data), 2)]


def _quoted(units) -> str:
    return '"%s"' % escape.escape(bytes(b for u in units for b in u.to_bytes(2, "little")).decode(
        "utf-16-le", errors="surrogatepass"))


def format_data(value_type: int, data: bytes) -> str:
    """Data shown by its type (string types are stored as UTF-16LE); data that does not fit its type
    is shown as hex."""
    units = _utf16_units(data) if len(data) % 2 == 0 else None
    if value_type in (1, 2) and units and units[-1] == 0 and 0 not in units[:-1]:
        return _quoted(units[:-1])
    if value_type == 7 and units and (units == [0] or units[-2:] == [0, 0]):
        items, current = [], []
        for unit in units[:-1]:
            if unit == 0:
                items.append(current)
                current = []
            else:
                current.append(unit)
        if all(items):
            return "[%s]" % ", ".join(_quoted(item) for item in items)
    if value_type == 4 and len(data) == 4:
        return "0x%08x" % int.from_bytes(data, "little")
    return "hex:" + ",".join("%02x" % b for b in data)


@dataclasses.dataclass
class Key:
    """One key of a dump, its value lines kept as printed until a diff needs them: most keys of a
    prefix are equal before and after a run and are never read further."""

    hive: str
    raw_path: str
    value_lines: list = dataclasses.field(default_factory=list)  # "name\ttype\tdata", escaped

    @property
    def label(self) -> str:
        path = escape.unescape(self.raw_path)
        return "%s\\%s" % (self.hive, path) if path else self.hive

    def values(self) -> dict:
        """{lower-case name: Value}"""
        found = {}
        for line in self.value_lines:
            name, value_type, data = line.split("\t")
            name = escape.unescape(name)
            found[name.lower()] = Value(name, int(value_type), bytes.fromhex(data))
        return found


def parse_dump(text: str) -> dict:
    """Reads `vekreg dump` output into {(hive, lower-case escaped path): Key}."""
    keys = {}
    for number, line in enumerate(text.split("\n"), start=1):
        if not line:
            continue
        fields = line.split("\t", 3)
        if fields[0] == "K" and len(fields) == 3:
            keys.setdefault((fields[1], fields[2].lower()), Key(fields[1], fields[2]))
        elif fields[0] == "V" and len(fields) == 4 and fields[3].count("\t") == 2:
            _, value_type, data = fields[3].split("\t")
            if not value_type.isdigit() or len(data) % 2:
                raise ValueError("dump line %d is malformed: %r" % (number, line))
            key = keys.setdefault((fields[1], fields[2].lower()), Key(fields[1], fields[2]))
            key.value_lines.append(fields[3])
        else:
            raise ValueError("dump line %d is malformed: %r" % (number, line))
    return keys


def _sort_key(key_id):
    hive, path = key_id
    return (hive, escape.unescape(path).split("\\") if path else [])


def diff(before: dict, after: dict, churn=frozenset()) -> list:
    """The canonical diff lines from one dump to the other; churn is a set of (hive, lower-case path,
    lower-case value name) left out."""
    changed = [key_id for key_id in set(before) | set(after)
               if key_id not in before or key_id not in after
               or before[key_id].value_lines != after[key_id].value_lines]
    lines = []
    for key_id in sorted(changed, key=_sort_key):
        old, new = before.get(key_id), after.get(key_id)
        label = (new or old).label
        if old is None:
            lines.append("+[%s]" % label)
        elif new is None:
            lines.append("-[%s]" % label)
        old_values = old.values() if old else {}
        new_values = new.values() if new else {}
        path = escape.unescape(key_id[1])
        for name in sorted(set(old_values) | set(new_values)):
            if (key_id[0], path, name) in churn:
                continue
            a, b = old_values.get(name), new_values.get(name)
            if a == b:
                continue
            if a is not None:
                lines.append("-[%s] %s" % (label, a.describe()))
            if b is not None:
                lines.append("+[%s] %s" % (label, b.describe()))
    return lines
