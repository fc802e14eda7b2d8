import unittest

from scenariolib import escape, messages
from scenariolib.messages import Message

REPORT = "Exception EConvertError in module %s at %s.\r\n'x' is not a valid integer value.\r\n"


class EscapeTest(unittest.TestCase):
    def test_every_byte_survives_escape_and_unescape(self):
        text = "".join(chr(b) for b in range(256))
        self.assertEqual(escape.unescape(escape.escape(text)), text)

    def test_escapes_as_wine_debugstr_a(self):
        # (text, Wine's form)
        cases = [('a"b', 'a\\"b'), ("C:\\IDE\\", "C:\\\\IDE\\\\"), ("\r\n\t", "\\r\\n\\t"),
                 ("\x01\x7f\xe9", "\\x01\\x7f\\xe9"), ("plain text", "plain text")]
        for text, wine in cases:
            with self.subTest(text=text):
                self.assertEqual(escape.escape(text), wine)

    def test_malformed_escape_is_refused(self):
        for bad in ["abc\\", "\\q", "\\x4"]:
            with self.subTest(bad=bad):
                self.assertRaises(ValueError, escape.unescape, bad)


class CaptureTest(unittest.TestCase):
    def test_native_lines_are_read_in_order_and_other_lines_ignored(self):
        stderr = ('some diagnostic\nMessageBoxA("Delphi 7 is not installed.","Warning",0)\n'
                  'MessageBoxA("a \\"q\\"\\r\\n\\xe9","Application Error",8208)\n')
        self.assertEqual(messages.parse_native(stderr), [
            Message("Warning", "Delphi 7 is not installed.", 0),
            Message("Application Error", 'a "q"\r\n\xe9', 0x2010)])

    def test_relay_calls_are_read_with_hex_style(self):
        stderr = ('0024:Starting thread proc 004014B0 (arg=3FFF1000)\n'
                  '0024:Call user32.MessageBoxA(00000000,0040a058 "Cannot find X help files.",'
                  '0040a050 "Warning",00000000) ret=00401658\n'
                  '0024:Ret  user32.MessageBoxA() retval=ffffffff ret=00401658\n'
                  '0024:Call user32.MessageBoxA(00000000,0040a089 "x,y) ret=",0040a07c "VekSetup.exe",00002010) ret=0\n')
        self.assertEqual(messages.parse_relay(stderr), [
            Message("Warning", "Cannot find X help files.", 0),
            Message("VekSetup.exe", "x,y) ret=", 0x2010)])

    def test_relay_marks_a_text_cut_by_wine(self):
        stderr = '0024:Call user32.MessageBoxA(00000000,00cb5938 "aaaa"...,00426044 "Cap",00000000) ret=0\n'
        self.assertEqual(messages.parse_relay(stderr), [Message("Cap", "aaaa", 0, truncated=True)])


class CompareTest(unittest.TestCase):
    def test_last_chance_report_differs_only_in_address_and_exe(self):
        native = Message("Application Error", REPORT % ("VekSetup", "0051A2B4"), 0x2010)
        wine = Message("Application Error", REPORT % ("VekSetup.exe", "00401C2E"), 0x2010)
        self.assertTrue(messages.messages_equal(native, wine, compare_style=True))

    def test_differences_that_matter_are_caught(self):
        base = Message("Application Error", REPORT % ("VekSetup.exe", "00401C2E"), 0x2010)
        # (what differs, the other message, compare styles)
        cases = [
            ("caption", Message("Error", base.text, 0x2010), True),
            ("message", Message(base.caption, base.text.replace("'x'", "'y'"), 0x2010), True),
            ("style", Message(base.caption, base.text, 0), True),
            ("lower-case address", Message(base.caption, REPORT % ("VekSetup.exe", "00401c2e"), 0x2010), True),
            ("module", Message(base.caption, REPORT % ("Other.exe", "00401C2E"), 0x2010), True),
            ("no full stop", Message(base.caption, base.text[:-3] + "\r\n", 0x2010), False),
        ]
        for what, other, compare_style in cases:
            with self.subTest(what=what):
                self.assertFalse(messages.messages_equal(base, other, compare_style))

    def test_a_cut_text_matches_only_a_longer_text_with_its_start(self):
        cut = Message("Cap", "abc", 0, truncated=True)
        self.assertTrue(messages.messages_equal(cut, Message("Cap", "abcdef", 0), True))
        self.assertFalse(messages.messages_equal(cut, Message("Cap", "abxdef", 0), True))
        self.assertFalse(messages.messages_equal(Message("Cap", "abc", 0), cut, True))


if __name__ == "__main__":
    unittest.main()
