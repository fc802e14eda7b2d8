"""What a run left (an Outcome), and the differences between outcomes and the scenario's expectation."""

import dataclasses
import difflib

from . import escape, messages

SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


@dataclasses.dataclass
class Outcome:
    build: str  # "native" or "Wine"
    exit_code: int
    messages: list  # messages.Message
    registry: list  # canonical diff lines
    files: dict  # label -> bytes
    stderr: str = ""


def _lines_diff(title_a, a, title_b, b) -> str:
    return "\n".join(difflib.unified_diff(a, b, title_a, title_b, lineterm="", n=2))


def describe_messages(found) -> str:
    return "\n".join("    " + m.describe() for m in found) or "    (none)"


def _messages_differ(a, b, compare_style) -> bool:
    return len(a) != len(b) or not all(messages.messages_equal(x, y, compare_style) for x, y in zip(a, b))


def _shown_lines(data: bytes) -> list:
    """File bytes as lines for a diff: line ends and bytes that do not print are shown escaped."""
    lines = []
    for line in data.decode("latin-1").splitlines(keepends=True):
        body = line.rstrip("\r\n")
        shown = "".join(c if 0x20 <= ord(c) < 0x7F else "\\x%02x" % ord(c) for c in body)
        lines.append(shown + escape.escape(line[len(body) :]))
    return lines


def file_differences(title_a, a: dict, title_b, b: dict) -> list:
    found = []
    for label in sorted(set(a) | set(b)):
        if label not in b:
            found.append("file %s: in %s only" % (label, title_a))
        elif label not in a:
            found.append("file %s: in %s only" % (label, title_b))
        elif a[label] != b[label]:
            found.append("file %s differs:\n%s" % (label, _lines_diff(title_a, _shown_lines(a[label]), title_b,
                                                                      _shown_lines(b[label]))))
    return found


def compare(a: Outcome, b: Outcome, title_a: str, title_b: str, compare_style: bool) -> list:
    """The differences between two outcomes, each a printable paragraph that shows both sides."""
    found = []
    if a.exit_code != b.exit_code:
        found.append("exit code: %s %d, %s %d" % (title_a, a.exit_code, title_b, b.exit_code))
    if _messages_differ(a.messages, b.messages, compare_style):
        found.append("message boxes differ:\n  %s:\n%s\n  %s:\n%s" % (
            title_a, describe_messages(a.messages), title_b, describe_messages(b.messages)))
    if a.registry != b.registry:
        found.append("registry changes differ:\n" + _lines_diff(title_a, a.registry, title_b, b.registry))
    found += file_differences(title_a, a.files, title_b, b.files)
    return found


def expectation(scenario, expected_files: dict) -> Outcome:
    return Outcome("expected", scenario.exit_code, scenario.messages, scenario.expected_registry(),
                   expected_files)


def sanitizer_reports(outcome: Outcome) -> list:
    if any(mark in outcome.stderr for mark in SANITIZER_MARKS):
        return ["the %s build reported a sanitizer error:\n%s" % (outcome.build, outcome.stderr)]
    return []
