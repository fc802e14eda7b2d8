"""Message boxes as both builds report them, and how they are compared.

The native build prints each box on stderr as  MessageBoxA("<text>","<caption>",<style>)  and Wine's
relay trace (limited to user32.MessageBoxA) prints
  0024:Call user32.MessageBoxA(00000000,0040a058 "<text>",0040a050 "<caption>",00000000) ret=...
with the texts escaped alike (escape.py).
"""

import dataclasses
import re

from . import escape

# The last-chance report names the program's file and a code address, which differ between the builds
# by nature: the native file has no ".exe", and the address is where that build's code lies.
_REPORT_HEAD = re.compile(r"^(Exception \S+ in module \S+?)(?i:\.exe)?( at )[0-9A-F]{8}(\.\r\n)")


@dataclasses.dataclass
class Message:
    caption: str
    text: str
    style: object  # int, or None when not known (expected messages state no style)
    truncated: bool = False  # Wine's trace cut the text; only its start is known

    def describe(self) -> str:
        style = "" if self.style is None else ", style 0x%x" % self.style
        cut = " (cut by Wine's trace)" if self.truncated else ""
        return '"%s" | "%s"%s%s' % (escape.escape(self.caption), escape.escape(self.text), style, cut)


def normalize_text(text: str) -> str:
    """Masks what may differ between the builds: the code address of the last-chance report and the
    ".exe" of the program's file name. The address must still be 8 upper-case hex digits."""
    head = _REPORT_HEAD.match(text)
    if not head:
        return text
    return head.group(1) + head.group(2) + "<address>" + head.group(3) + text[head.end() :]


def texts_equal(a: Message, b: Message) -> bool:
    ta, tb = normalize_text(a.text), normalize_text(b.text)
    # A cut text is known only up to the cut; the other side must start with it.
    if a.truncated and b.truncated:
        return ta.startswith(tb) or tb.startswith(ta)
    if a.truncated:
        return tb.startswith(ta) and len(tb) > len(ta)
    if b.truncated:
        return ta.startswith(tb) and len(ta) > len(tb)
    return ta == tb


def messages_equal(a: Message, b: Message, compare_style: bool) -> bool:
    if a.caption != b.caption or not texts_equal(a, b):
        return False
    return not compare_style or a.style == b.style


_NATIVE_PREFIX = "MessageBoxA("


def parse_native(stderr: str) -> list:
    """The message boxes the native build printed, in order. Lines that are not boxes are left."""
    found = []
    for line in stderr.split("\n"):
        if not line.startswith(_NATIVE_PREFIX):
            continue
        text, pos, _ = escape.read_quoted(line, len(_NATIVE_PREFIX))
        if line[pos] != ",":
            raise ValueError("malformed message box line: %r" % line)
        caption, pos, _ = escape.read_quoted(line, pos + 1)
        rest = line[pos:]
        match = re.fullmatch(r",(0x[0-9a-fA-F]+|\d+)\)\s*", rest)
        if not match:
            raise ValueError("malformed message box style in: %r" % line)
        found.append(Message(caption, text, int(match.group(1), 0)))
    return found


_RELAY_CALL = re.compile(r"^[0-9a-f]+:Call user32\.MessageBoxA\(([0-9a-f]+),([0-9a-f]+) ")


def parse_relay(stderr: str) -> list:
    """The MessageBoxA calls in a Wine relay trace, in order."""
    found = []
    for line in stderr.split("\n"):
        match = _RELAY_CALL.match(line)
        if not match:
            continue
        text, pos, text_cut = _relay_string(line, match.end())
        if line[pos] != ",":
            raise ValueError("malformed relay line: %r" % line)
        space = line.index(" ", pos)
        caption, pos, caption_cut = _relay_string(line, space + 1)
        style = re.match(r",([0-9a-f]+)\)", line[pos:])
        if not style:
            raise ValueError("malformed relay style in: %r" % line)
        if caption_cut:
            raise ValueError("caption cut by Wine's trace: %r" % line)
        found.append(Message(caption, text, int(style.group(1), 16), text_cut))
    return found


def _relay_string(line: str, pos: int):
    if line.startswith("(null)", pos):
        return "", pos + len("(null)"), False
    return escape.read_quoted(line, pos)
