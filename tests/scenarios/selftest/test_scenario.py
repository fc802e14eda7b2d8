import pathlib
import unittest

from scenariolib import scenario
from scenariolib.messages import Message


def parse(text):
    return scenario.parse_scenario_text(text, "case", pathlib.Path("/nowhere"))


class ScenarioTextTest(unittest.TestCase):
    def test_directives_are_read_verbatim(self):
        case = parse("# comment\r\narg: -FN=Sample Components \r\narg: -PATH=C:\\new\\r\\nx\narg:\n"
                     "exit: 1\nmessage: Application Error | Exception A: b\\r\\nC:\\r\\t\\r\\n\n"
                     "message: Warning | a | b\nwow64: no\n")
        self.assertEqual(case.args, ["-FN=Sample Components ", "-PATH=C:\\new\\r\\nx", ""])
        self.assertEqual(case.exit_code, 1)
        self.assertEqual(case.messages, [Message("Application Error", "Exception A: b\r\nC:\\r\\t\r\n", None),
                                         Message("Warning", "a | b", None)])
        self.assertFalse(case.wow64)

    def test_defaults(self):
        case = parse("exit: 0\n")
        self.assertEqual((case.args, case.messages, case.wow64), ([], [], True))

    def test_malformed_cases_are_refused(self):
        # (what is wrong, scenario.txt)
        cases = [("no exit", "arg: -U\n"), ("exit not a number", "exit: zero\n"),
                 ("unknown directive", "exit: 0\nargs: -U\n"), ("not a directive", "exit: 0\n-U\n"),
                 ("message without caption", "exit: 0\nmessage: text only\n"),
                 ("wow64 value", "exit: 0\nwow64: maybe\n")]
        for what, text in cases:
            with self.subTest(what=what):
                self.assertRaises(scenario.ScenarioError, parse, text)


if __name__ == "__main__":
    unittest.main()
