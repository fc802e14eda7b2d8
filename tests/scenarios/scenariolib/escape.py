r"""Byte-string escapes shared by the message capture and the registry dumps.

Message texts are byte strings in the ANSI code page (Windows-1252), held in Python as latin-1 decoded
str so that every byte maps to one character and back; registry names and data are Unicode, and a
character above 0xff is shown as \uNNNN (never produced by Wine for a byte string). The escape is Wine's debugstr_a: the one the relay
trace prints and the one the native build prints its message boxes with, so both sides read back
through one function.
"""

_NAMED = {"\\": "\\\\", '"': '\\"', "\n": "\\n", "\r": "\\r", "\t": "\\t"}
_UNNAMED = {"\\": "\\", '"': '"', "n": "\n", "r": "\r", "t": "\t"}


def escape(text: str) -> str:
    """Escapes a byte text as Wine's debugstr_a does (without the surrounding quotes)."""
    out = []
    for ch in text:
        code = ord(ch)
        if ch in _NAMED:
            out.append(_NAMED[ch])
        elif code < 0x20 or 0x7F <= code <= 0xFF:
            out.append("\\x%02x" % code)
        elif code > 0xFF:
            out.append("\\u%04x" % code)
        else:
            out.append(ch)
    return "".join(out)


def unescape(text: str) -> str:
    """Reverses escape(); raises ValueError on a malformed escape."""
    if "\\" not in text:
        return text
    out = []
    i = 0
    while i < len(text):
        ch = text[i]
        if ch != "\\":
            out.append(ch)
            i += 1
            continue
        if i + 1 >= len(text):
            raise ValueError("dangling backslash in %r" % text)
        kind = text[i + 1]
        if kind in _UNNAMED:
            out.append(_UNNAMED[kind])
            i += 2
        elif kind == "x" and i + 4 <= len(text):
            out.append(chr(int(text[i + 2 : i + 4], 16)))
            i += 4
        elif kind == "u" and i + 6 <= len(text):
            out.append(chr(int(text[i + 2 : i + 6], 16)))
            i += 6
        else:
            raise ValueError("unknown escape \\%s in %r" % (kind, text))
    return "".join(out)


def read_quoted(text: str, start: int):
    """Reads an escaped string in double quotes that begins at text[start].

    Returns (value, index after the closing quote, truncated): Wine's debug output cuts long strings
    and marks the cut with "..." after the closing quote.
    """
    if start >= len(text) or text[start] != '"':
        raise ValueError("expected a quoted string at %d in %r" % (start, text))
    i = start + 1
    while i < len(text):
        if text[i] == "\\":
            i += 2
            continue
        if text[i] == '"':
            value = unescape(text[start + 1 : i])
            end = i + 1
            truncated = text.startswith("...", end)
            if truncated:
                end += 3
            return value, end, truncated
        i += 1
    raise ValueError("unterminated string in %r" % text)
