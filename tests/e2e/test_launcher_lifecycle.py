"""The launcher's life as a process: its login window appears, Enter and Escape leave it open,
closing the window ends the program with 0, a quit request ends it with the request's code, and
two copies run side by side."""
import sys
import time
import unittest

import winctl

LAUNCHER = sys.argv.pop(1) if len(sys.argv) > 1 else None
POKE = winctl.WinPoke(sys.argv.pop(1) if len(sys.argv) > 1 else None)

WS_POPUP = 0x80000000
WS_EX_APPWINDOW = 0x00040000


def start_launcher(testcase):
    before = POKE.windows()
    program = winctl.Program(LAUNCHER)
    testcase.addCleanup(program.kill)
    found = winctl.wait_for(
        lambda: winctl.new_windows(POKE, before, lambda w: w.style & WS_POPUP and
                                   w.exstyle & WS_EX_APPWINDOW))
    testcase.assertTrue(found, "the login window never appeared")
    return program, found[0]


class LauncherLifecycle(unittest.TestCase):
    def test_login_window_appears_as_a_popup_with_a_taskbar_button(self):
        _, window = start_launcher(self)
        self.assertTrue(window.style & WS_POPUP)
        self.assertTrue(window.exstyle & WS_EX_APPWINDOW)
        self.assertGreater(window.width, 0)

    def test_enter_and_escape_leave_it_open(self):
        program, window = start_launcher(self)
        for key in ("Return", "Escape", "KP_Enter"):
            winctl.xdotool("key", "--window", window.xid, key)
        time.sleep(1.5)
        self.assertTrue(program.running())
        self.assertIn(window.hwnd, [w.hwnd for w in POKE.windows()])

    def test_close_ends_the_program_with_exit_code_0(self):
        program, window = start_launcher(self)
        POKE.close(window.hwnd)
        self.assertEqual(program.wait(), 0)

    def test_quit_request_ends_the_program_with_its_code(self):
        program, window = start_launcher(self)
        POKE.quit(window.tid, 16)
        self.assertEqual(program.wait(), 16)

    def test_two_copies_run_side_by_side(self):
        first, first_window = start_launcher(self)
        second, second_window = start_launcher(self)
        self.assertNotEqual(first_window.pid, second_window.pid)
        POKE.close(second_window.hwnd)
        self.assertEqual(second.wait(), 0)
        self.assertTrue(first.running())
        POKE.close(first_window.hwnd)
        self.assertEqual(first.wait(), 0)


if __name__ == "__main__":
    unittest.main()
