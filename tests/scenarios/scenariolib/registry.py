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
    hive: str
    path: str
    values: dict = dataclasses.field(default_factory=dict)  # lower-case name -> Value

    @property
    def label(self) -> str:
        return "%s\\%s" % (self.hive, self.path) if self.path else self.hive


def _key_id(hive: str, path: str):
    return (hive, path.lower())


def parse_dump(text: str) -> dict:
    """Reads `vekreg dump` output into {(hive, lower-case path): Key}."""
    keys = {}
    for number, line in enumerate(text.split("\n"), start=1):
        if not line:
            continue
        fields = line.split("\t")
        if fields[0] == "K" and len(fields) == 3:
            path = escape.unescape(fields[2])
            keys.setdefault(_key_id(fields[1], path), Key(fields[1], path))
        elif fields[0] == "V" and len(fields) == 6:
            path = escape.unescape(fields[2])
            key = keys.setdefault(_key_id(fields[1], path), Key(fields[1], path))
            name = escape.unescape(fields[3])
            key.values[name.lower()] = Value(name, int(fields[4]), bytes.fromhex(fields[5]))
        else:
            raise ValueError("dump line %d is malformed: %r" % (number, line))
    return keys


def _sort_key(key_id):
    hive, path = key_id
    return (hive, path.split("\\") if path else [])


def diff(before: dict, after: dict, churn=frozenset()) -> list:
    """The canonical diff lines from one dump to the other; churn is a set of (hive, lower-case path,
    lower-case value name) left out."""
    lines = []
    for key_id in sorted(set(before) | set(after), key=_sort_key):
        old, new = before.get(key_id), after.get(key_id)
        label = (new or old).label
        if old is None:
            lines.append("+[%s]" % label)
        elif new is None:
            lines.append("-[%s]" % label)
        old_values = old.values if old else {}
        new_values = new.values if new else {}
        for name in sorted(set(old_values) | set(new_values)):
            if (key_id[0], key_id[1], name) in churn:
                continue
            a, b = old_values.get(name), new_values.get(name)
            if a == b:
                continue
            if a is not None:
                lines.append("-[%s] %s" % (label, a.describe()))
            if b is not None:
                lines.append("+[%s] %s" % (label, b.describe()))
    return lines
