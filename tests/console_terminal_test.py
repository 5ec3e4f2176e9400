#!/usr/bin/env python3
"""The console chat as people meet it on a terminal (a pseudo-terminal), and
as programs drive it through pipes: line editing, history, keys during a
reveal, Ctrl-D, signals, and replies that arrive while the driver waits.

  VELK=path/to/velk console_terminal_test.py
"""
import fcntl
import os
import select
import signal
import struct
import subprocess
import tempfile
import termios
import time
import unittest

VELK = os.environ["VELK"]
UP, LEFT, HOME, END = b"\x1b[A", b"\x1b[D", b"\x1b[H", b"\x1b[F"


class Terminal:
    """velk --console on a pseudo-terminal, in a folder of its own."""

    def __init__(self, folder):
        self.folder = folder
        self.master, slave = os.openpty()
        fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 200, 0, 0))
        env = dict(os.environ, TERM="xterm", VELK_EXCHANGE_DIR=os.path.join(folder, "x"))
        self.process = subprocess.Popen(
            [VELK, "--console", "--seed", "1"], stdin=slave, stdout=slave, stderr=slave,
            cwd=folder, env=env, start_new_session=True)
        os.close(slave)
        self.output = b""

    def read_until(self, needle, since=0, timeout=20):
        """Reads until `needle` appears after offset `since`; returns where it ends."""
        deadline = time.monotonic() + timeout
        while needle not in self.output[since:]:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.master], [], [], left)[0]:
                raise AssertionError(f"no {needle!r} in {self.output[since:]!r}")
            try:
                chunk = os.read(self.master, 4096)
            except OSError:  # the program has ended
                chunk = b""
            if not chunk:
                raise AssertionError(f"ended without {needle!r}: {self.output[since:]!r}")
            self.output += chunk
        return self.output.index(needle, since) + len(needle)

    def drain(self):
        try:
            while select.select([self.master], [], [], 2)[0]:
                chunk = os.read(self.master, 4096)
                if not chunk:
                    break
                self.output += chunk
        except OSError:
            pass

    def prompt(self, since):
        """Waits for the next prompt after `since`."""
        return self.read_until(b"\n> ", since)

    def line(self, keys):
        """Types `keys` at the prompt and waits for the reply and the next prompt."""
        start = len(self.output)
        os.write(self.master, keys)
        return self.prompt(start)

    def finish(self):
        os.write(self.master, b"\x04")
        status = self.process.wait(timeout=20)
        self.drain()
        os.close(self.master)
        return status

    def log(self):
        with open(os.path.join(self.folder, "velk.log"), "rb") as log:
            return log.read().split(b"\r\n")


class TerminalTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.velk = Terminal(self.folder.name)
        self.velk.prompt(0)

    def tearDown(self):
        if self.velk.process.poll() is None:
            self.velk.process.kill()
            self.velk.process.wait()
        self.folder.cleanup()

    def users(self):
        return [line[6:] for line in self.velk.log() if line.startswith(b"USER:>")]

    def logged_reply(self, line):
        """Waits until the exchange of `line` is logged, which comes just before
        its reveal starts, however loaded the machine; returns the reply."""
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            records = self.velk.log()
            if len(records) >= 3 and records[-3] == b"USER:>" + line:
                return records[-2][6:]
            time.sleep(0.01)
        raise AssertionError(f"{line!r} never logged")

    def test_editing_keys_and_history(self):
        for keys in [b"abc" + LEFT + LEFT + b"X\r",  # aXbc
                     UP + b"\r",                       # aXbc again
                     b"hello wor\x17there\r",         # Ctrl-W: the word before
                     b"junk\x15ok\r",                  # Ctrl-U: the line before
                     b"bc" + HOME + b"a" + END + b"d\r",
                     b"abc\x04\r"]:                    # Ctrl-D inside a line: no end
            self.velk.line(keys)
        self.assertEqual(self.velk.finish(), 0)
        self.assertEqual(self.users(), [b"aXbc", b"aXbc", b"hello there", b"ok", b"abcd", b"abc"])
        # After Ctrl-D the reply still gets a line of its own, and so does the
        # shell prompt after the end.
        self.assertRegex(self.velk.output, rb"\n> abc\x07*\r\n[^\r\n]+\r\n> ")
        self.assertTrue(self.velk.output.endswith(b"\r\n"), self.velk.output[-40:])

    def test_a_key_during_a_reveal_completes_it_and_stays_typed(self):
        self.velk.line(b"hello\r")
        start = len(self.velk.output)
        os.write(self.velk.master, b"what do you think about the weather in england\r")
        self.velk.read_until(b"\n", start)
        reply = self.logged_reply(b"what do you think about the weather in england")
        pressed = time.monotonic()
        os.write(self.velk.master, b"z")
        self.velk.read_until(b"> z", start)
        took = time.monotonic() - pressed
        self.velk.line(b"ed\r")
        self.assertEqual(self.velk.finish(), 0)
        self.assertEqual(self.users()[-2:], [b"what do you think about the weather in england", b"zed"])
        # The reply is shown whole and unbroken, long before its reveal would end.
        self.assertIn(reply + b"\r\n> ", self.velk.output[start:])
        self.assertGreater(len(reply), 40)
        self.assertLess(took, 0.03 * len(reply) / 2)

    def test_a_signal_during_a_reveal_ends_its_line_and_restores_the_terminal(self):
        start = len(self.velk.output)
        os.write(self.velk.master, b"tell me about your family and your friends\r")
        self.velk.read_until(b"\n", start)
        time.sleep(0.1)
        os.kill(self.velk.process.pid, signal.SIGTERM)
        self.assertEqual(self.velk.process.wait(timeout=20), -signal.SIGTERM)
        self.velk.drain()
        self.assertRegex(self.velk.output[start:], rb"\n[^\n]+\r\nvelk: terminated\r\n$")
        lflag = termios.tcgetattr(self.velk.master)[3]
        self.assertEqual(lflag & (termios.ICANON | termios.ECHO), termios.ICANON | termios.ECHO)
        os.close(self.velk.master)


class PipeTest(unittest.TestCase):
    def start(self, ignore_sigint=False):
        preexec = (lambda: signal.signal(signal.SIGINT, signal.SIG_IGN)) if ignore_sigint else None
        velk = subprocess.Popen([VELK, "--console", "--no-log", "--seed", "1"],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, preexec_fn=preexec)
        self.addCleanup(self.stop, velk)
        self.assertTrue(self.reply(velk))  # the greeting
        return velk

    @staticmethod
    def stop(velk):
        if velk.poll() is None:
            velk.kill()
            velk.wait()
        for stream in (velk.stdin, velk.stdout, velk.stderr):
            stream.close()

    def reply(self, velk, timeout=20):
        """The next line of output, read without waiting for more."""
        line = b""
        while not line.endswith(b"\n"):
            if not select.select([velk.stdout], [], [], timeout)[0]:
                raise AssertionError(f"no reply yet, only {line!r}")
            chunk = os.read(velk.stdout.fileno(), 1)
            if not chunk:
                break
            line += chunk
        return line

    def test_each_line_is_answered_before_the_next_is_sent(self):
        velk = self.start()
        for line in [b"hello", b"how are you", b"my name is Ann"]:
            velk.stdin.write(line + b"\n")
            velk.stdin.flush()
            self.assertTrue(self.reply(velk).strip(), line)
        velk.stdin.close()
        self.assertEqual(velk.wait(timeout=20), 0)

    def test_sigint_ignored_by_the_parent_stays_ignored(self):
        velk = self.start(ignore_sigint=True)
        velk.send_signal(signal.SIGINT)
        velk.stdin.write(b"hello\n")
        velk.stdin.flush()
        self.assertTrue(self.reply(velk).strip())
        velk.stdin.close()
        self.assertEqual(velk.wait(timeout=20), 0)

    def test_sigint_ends_the_chat_with_a_message(self):
        velk = self.start()
        velk.send_signal(signal.SIGINT)
        self.assertEqual(velk.wait(timeout=20), -signal.SIGINT)
        self.assertEqual(velk.stderr.read(), b"velk: interrupted\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
