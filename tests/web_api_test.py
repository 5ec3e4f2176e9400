#!/usr/bin/env python3
"""velk serve against real servers on loopback ports.

  web_api_test.py VELK_SERVE VELK
VELK_SERVE is the service's program, VELK the chat program whose console
gives the replies every seeded conversation must match.
"""
import concurrent.futures
import http.client
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SERVE, VELK = sys.argv[1], sys.argv[2]

LINES = [
    "hello there, my name is Sam",
    "what is 2 plus 2",
    "I like walking by the sea",
    "do you like cats?",
    "why are you so rude",
    "tell me about yourself",
    "my favourite colour is green",
    "what time is it",
]


def console_replies(seed, lines):
    """The greeting and replies of `velk --console --seed SEED` to `lines`."""
    run = subprocess.run([VELK, "--console", "--seed", str(seed), "--no-log"],
                         input=b"".join(line.encode() + b"\n" for line in lines),
                         capture_output=True, check=True)
    return run.stdout.decode("utf-8", "replace").split("\n")[:-1]


def records_of(greeting_and_replies, lines):
    records = ["VELK:>" + greeting_and_replies[0]]
    for line, reply in zip(lines, greeting_and_replies[1:]):
        records += ["USER:>" + line, "VELK:>" + reply]
    return records


class Server:
    def __init__(self, db, *options):
        self.process = subprocess.Popen(
            [SERVE, "--listen", "127.0.0.1:0", "--db", db, *options],
            stderr=subprocess.PIPE, text=True)
        self.start_line = self.process.stderr.readline()
        match = re.search(r"http://([0-9.]+):([0-9]+)", self.start_line)
        if not match:
            self.process.kill()
            raise AssertionError("no start line: " + self.start_line + self.process.stderr.read())
        self.host, self.port = match.group(1), int(match.group(2))
        self.connections = []

    def stop(self, how=signal.SIGTERM):
        self.process.send_signal(how)
        rest = self.process.stderr.read()
        return self.process.wait(timeout=30), rest

    def connect(self):
        connection = http.client.HTTPConnection(self.host, self.port, timeout=30)
        self.connections.append(connection)
        return connection


def request(connection, method, path, body=None, content_type="application/json"):
    headers = {}
    if body is not None:
        if not isinstance(body, (bytes, str)):
            body = json.dumps(body, ensure_ascii=False).encode()
        headers["Content-Type"] = content_type
    connection.request(method, path, body=body, headers=headers)
    response = connection.getresponse()
    data = response.read()
    return response.status, (json.loads(data) if data else None)


class ServiceTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.db = os.path.join(self.folder.name, "velk.db")
        self.servers = []

    def tearDown(self):
        for server in self.servers:
            for connection in server.connections:
                connection.close()
            if server.process.poll() is None:
                server.process.kill()
                server.process.wait()
            server.process.stderr.close()
        self.folder.cleanup()

    def start(self, *options):
        server = Server(self.db, *options)
        self.servers.append(server)
        return server

    def converse(self, server, seed, lines):
        """Greeting and replies of a new conversation with `seed`."""
        connection = server.connect()
        status, made = request(connection, "POST", "/api/conversations", {"seed": seed})
        self.assertEqual(201, status, made)
        said = [made["greeting"]]
        for line in lines:
            status, answer = request(connection, "POST",
                                     f"/api/conversations/{made['id']}/lines", {"line": line})
            self.assertEqual(200, status, answer)
            said.append(answer["reply"])
        connection.close()
        return made["id"], said

    def test_every_endpoint_and_error(self):
        server = self.start()
        c = server.connect()
        status, made = request(c, "POST", "/api/conversations", {})
        self.assertEqual(201, status)
        self.assertRegex(made["id"], r"^[0-9a-f]{32}$")
        status, other = request(c, "POST", "/api/conversations", b"")  # no body at all
        self.assertEqual(201, status)
        self.assertNotEqual(made["id"], other["id"])
        path = "/api/conversations/" + made["id"]
        status, answer = request(c, "POST", path + "/lines", {"line": "hello"})
        self.assertEqual((200, False), (status, answer["ended"]))
        self.assertTrue(answer["reply"])
        status, got = request(c, "GET", path)
        self.assertEqual(200, status)
        self.assertEqual({"id": made["id"], "ended": False,
                          "records": ["VELK:>" + made["greeting"], "USER:>hello",
                                      "VELK:>" + answer["reply"]]}, got)

        refused = [
            ("POST", path + "/lines", b"{\"line\": ", "application/json", 400),
            ("POST", path + "/lines", b"[1, 2]", "application/json", 400),
            ("POST", path + "/lines", {"text": "hi"}, "application/json", 400),
            ("POST", path + "/lines", {"line": 7}, "application/json", 400),
            ("POST", path + "/lines", b"{\"line\": \"\xff\"}", "application/json", 400),
            ("POST", "/api/conversations", {"seed": -1}, "application/json", 400),
            ("POST", "/api/conversations", {"seed": 4294967296}, "application/json", 400),
            ("POST", "/api/conversations", {"seed": "7"}, "application/json", 400),
            ("POST", path + "/lines", "line=hi", "application/x-www-form-urlencoded", 415),
            ("POST", path + "/lines", {"line": "hi"}, "text/plain", 415),
            ("POST", path + "/lines", {"line": "x" * 65537}, "application/json", 413),
            ("POST", "/api/conversations/" + "0" * 32 + "/lines", {"line": "hi"},
             "application/json", 404),
            ("GET", "/api/conversations/" + "0" * 32, None, None, 404),
            ("DELETE", "/api/conversations/" + "0" * 32, None, None, 404),
            ("GET", "/api/conversations/" + made["id"].upper(), None, None, 404),
            ("GET", "/api/nothing", None, None, 404),
        ]
        for method, where, body, kind, expected in refused:
            status, error = request(c, method, where, body, kind)
            self.assertEqual(expected, status, (method, where, str(body)[:40]))
            self.assertIsInstance(error["error"], str)

        status, answer = request(c, "POST", path + "/lines", {"line": "exit"})
        self.assertEqual((200, {"reply": "", "ended": True}), (status, answer))
        self.assertEqual(410, request(c, "POST", path + "/lines", {"line": "hi"})[0])
        self.assertTrue(request(c, "GET", path)[1]["ended"])
        self.assertEqual((204, None), request(c, "DELETE", path))
        self.assertEqual(404, request(c, "GET", path)[0])
        self.assertEqual(404, request(c, "POST", path + "/lines", {"line": "hi"})[0])

        c.request("GET", "/")
        page = c.getresponse()
        page.read()
        self.assertEqual(200, page.status)
        self.assertIn("script-src 'self'", page.getheader("Content-Security-Policy"))
        self.assertEqual(0, os.stat(self.db).st_mode & 0o077, "conversations are private")
        code, rest = server.stop()
        self.assertEqual(0, code)
        self.assertRegex(rest, r"^velk serve: stopped on .*, 1 conversation kept\n$")

    def test_seeded_conversations_answer_as_the_console(self):
        # A line over the engine's limit, cut inside a two-byte character,
        # and a line with control characters, which the records blank.
        long_line = "é" * 20000
        lines = LINES + [long_line, "tab\there"]
        expected = console_replies(11, lines)
        server = self.start()
        conversation, said = self.converse(server, 11, lines)
        self.assertEqual(expected, said)
        kept = lines[:-2] + ["é" * 16383, "tab here"]
        c = server.connect()
        self.assertEqual(records_of(expected, kept),
                         request(c, "GET", "/api/conversations/" + conversation)[1]["records"])

    def test_two_hundred_conversations_at_once_held_or_not(self):
        # Fewer held than talking: most lines bring their conversation back
        # from the database.
        server = self.start("--held", "50")
        seeds = range(1000, 1200)
        with concurrent.futures.ThreadPoolExecutor(max_workers=40) as pool:
            got = list(pool.map(lambda seed: self.converse(server, seed, LINES)[1], seeds))
            expected = list(pool.map(lambda seed: console_replies(seed, LINES), seeds))
        self.assertEqual(expected, got)

    def test_lines_to_one_conversation_are_answered_one_after_another(self):
        server = self.start()
        c = server.connect()
        conversation = request(c, "POST", "/api/conversations", {"seed": 5})[1]["id"]

        def say(number):
            connection = server.connect()
            status, answer = request(connection, "POST",
                                     f"/api/conversations/{conversation}/lines",
                                     {"line": f"line {number} about the weather"})
            self.assertEqual(200, status)
            return number, answer["reply"]

        with concurrent.futures.ThreadPoolExecutor(max_workers=16) as pool:
            answers = dict(pool.map(say, range(32)))
        records = request(c, "GET", "/api/conversations/" + conversation)[1]["records"]
        self.assertEqual(65, len(records))
        order = []
        for user, velk in zip(records[1::2], records[2::2]):
            number = int(user.split()[1])
            self.assertEqual("VELK:>" + answers[number], velk)
            order.append(f"line {number} about the weather")
        # Whatever order they came in, the replies are the console's to it.
        self.assertEqual(console_replies(5, order)[1:], [answers[int(l.split()[1])] for l in order])

    def test_nothing_answered_is_lost_when_killed(self):
        server = self.start()
        seeds = list(range(300, 320))
        lines = LINES * 6
        answered = {}  # seed: (id, greeting and replies received)
        stop = threading.Event()

        def talk(seed):
            connection = server.connect()
            _, made = request(connection, "POST", "/api/conversations", {"seed": seed})
            said = [made["greeting"]]
            answered[seed] = (made["id"], said)
            try:
                for line in lines:
                    if stop.is_set():
                        return
                    _, answer = request(connection, "POST",
                                        f"/api/conversations/{made['id']}/lines", {"line": line})
                    said.append(answer["reply"])
            except (OSError, http.client.HTTPException):
                pass  # the server was killed mid-request

        threads = [threading.Thread(target=talk, args=(seed,)) for seed in seeds]
        for thread in threads:
            thread.start()
        deadline = time.monotonic() + 60
        while len(answered) < len(seeds) or sum(len(s) for _, s in answered.values()) < 200:
            self.assertLess(time.monotonic(), deadline, "the conversations did not get going")
            time.sleep(0.005)
        server.process.send_signal(signal.SIGKILL)
        stop.set()
        for thread in threads:
            thread.join()
        server.process.wait()

        server = self.start()
        for seed in seeds:
            conversation, said = answered[seed]
            expected = console_replies(seed, lines)
            c = server.connect()
            records = request(c, "GET", "/api/conversations/" + conversation)[1]["records"]
            # Every answer received is kept; one more may have been committed
            # whose answer the kill cut off.
            done = (len(records) - 1) // 2
            self.assertIn(done, (len(said) - 1, len(said)))
            self.assertEqual(records_of(expected, lines)[:len(records)], records)
            for line, reply in zip(lines[done:], expected[done + 1:]):
                self.assertEqual(reply, request(c, "POST", f"/api/conversations/{conversation}/lines",
                                                {"line": line})[1]["reply"])

    def test_the_program_starts_the_service(self):
        shown = subprocess.run([VELK, "serve", "--help"], capture_output=True, text=True)
        self.assertEqual(0, shown.returncode)
        self.assertIn("usage: velk serve", shown.stdout)
        refused = subprocess.run([VELK, "serve", "--listen", "nowhere"], capture_output=True,
                                 text=True)
        self.assertEqual((2, ""), (refused.returncode, refused.stdout))
        self.assertIn("--listen nowhere", refused.stderr)

    def test_a_second_service_on_the_same_database_is_refused(self):
        self.start()
        second = subprocess.run([SERVE, "--listen", "127.0.0.1:0", "--db", self.db],
                                capture_output=True, text=True, timeout=30)
        self.assertEqual(1, second.returncode)
        self.assertIn("in use by another program", second.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
