"""Reading a scenario case folder (tests/scenarios/cases/<name>/); README.md beside the runner
describes the format."""

import dataclasses
import pathlib

from . import messages


class ScenarioError(Exception):
    """A case folder that does not follow the format."""


@dataclasses.dataclass
class Scenario:
    name: str
    folder: pathlib.Path
    args: list
    exit_code: int
    messages: list  # messages.Message, in order, style None (the format does not state styles)
    wow64: bool = True

    @property
    def machine_reg(self):
        path = self.folder / "machine.reg"
        return path if path.is_file() else None

    @property
    def files_folder(self):
        return self.folder / "files"

    @property
    def expected_files_folder(self):
        return self.folder / "expected-files"

    @property
    def expected_registry_file(self):
        return self.folder / "expected-registry.txt"

    def expected_registry(self):
        """The expected canonical diff lines; a missing file means no change at all."""
        if not self.expected_registry_file.is_file():
            return []
        text = self.expected_registry_file.read_bytes().decode("latin-1")
        return [line for line in text.splitlines() if line.strip()]


def parse_expected_message(value: str) -> "messages.Message":
    caption, sep, text = value.partition(" | ")
    if not sep:
        raise ScenarioError("message needs '<caption> | <text>': %r" % value)
    # Only the four characters \r\n are an escape: every other backslash is literal text, so that
    # paths can be written as they are.
    return messages.Message(caption, text.replace("\\r\\n", "\r\n"), None)


def parse_scenario_text(text: str, name: str, folder: pathlib.Path) -> Scenario:
    args, expected_messages = [], []
    exit_code, wow64 = None, True
    for number, raw in enumerate(text.split("\n"), start=1):
        line = raw[:-1] if raw.endswith("\r") else raw
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        directive, sep, value = line.partition(":")
        if not sep:
            raise ScenarioError("%s line %d: not a directive: %r" % (name, number, line))
        directive = directive.strip()
        value = value[1:] if value.startswith(" ") else value
        if directive == "arg":
            args.append(value)
        elif directive == "exit":
            try:
                exit_code = int(value.strip())
            except ValueError:
                raise ScenarioError("%s line %d: exit code %r is not a number" % (name, number, value))
        elif directive == "message":
            expected_messages.append(parse_expected_message(value))
        elif directive == "wow64":
            if value.strip() not in ("yes", "no"):
                raise ScenarioError("%s line %d: wow64 is yes or no, not %r" % (name, number, value))
            wow64 = value.strip() == "yes"
        else:
            raise ScenarioError("%s line %d: unknown directive %r" % (name, number, directive))
    if exit_code is None:
        raise ScenarioError("%s: scenario.txt has no 'exit:' line" % name)
    return Scenario(name, folder, args, exit_code, expected_messages, wow64)


def load_scenario(folder: pathlib.Path) -> Scenario:
    folder = pathlib.Path(folder)
    path = folder / "scenario.txt"
    if not path.is_file():
        raise ScenarioError("%s has no scenario.txt" % folder)
    return parse_scenario_text(path.read_bytes().decode("latin-1"), folder.name, folder)
