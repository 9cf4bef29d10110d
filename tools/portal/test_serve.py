#!/usr/bin/env python3
"""Tests of the demo portal server, run as a real process on a free loopback port.

    python3 tools/portal/test_serve.py
"""

import http.client
import os
import re
import signal
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


def start_server(log, *options):
    """Starts serve.py on a port the system picks; returns the process and its port."""
    server = subprocess.Popen(
        [sys.executable, os.path.join(HERE, "serve.py"), "--port", "0", "--log", log, *options],
        stdout=subprocess.PIPE, text=True)
    ready = server.stdout.readline().strip()
    match = re.fullmatch(r"portal ready http://127\.0\.0\.1:(\d+)/", ready)
    return server, int(match.group(1)) if match else None


def get(port, path, method="GET"):
    connection = http.client.HTTPConnection("127.0.0.1", port)
    connection.request(method, path)
    response = connection.getresponse()
    body = response.read()
    connection.close()
    return response, body


def stop_server(server):
    if server.poll() is None:
        server.kill()
        server.wait()
    server.stdout.close()


class PortalServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.log = os.path.join(cls.tmp.name, "requests.log")
        cls.server, cls.port = start_server(cls.log)

    @classmethod
    def tearDownClass(cls):
        stop_server(cls.server)
        cls.tmp.cleanup()

    def get(self, path, method="GET"):
        return get(self.port, path, method)

    def logged(self):
        with open(self.log, encoding="utf-8") as log:
            return log.read().splitlines()

    def test_ready_line_names_a_loopback_address_and_the_port(self):
        self.assertIsNotNone(self.port)

    def test_pages_that_tests_and_the_demo_use_are_served_as_utf8_html(self):
        for path in ["/Client/index/game/VL.html",
                     "/Client/index/game/VL.html?autologin=1&server=2",
                     "/Client/index/game/play.html?server=1&client=1",
                     "/test/landing.html",
                     "/test/gameclient.html",
                     "/test/upper-client.html",
                     "/test/external.html?name=XXYYZZ"]:
            with self.subTest(path=path):
                response, body = self.get(path)
                self.assertEqual(response.status, 200)
                self.assertEqual(response.getheader("Content-Type"), "text/html; charset=utf-8")
                self.assertEqual(response.getheader("Cache-Control"), "no-store")
                self.assertTrue(body.startswith(b"<!DOCTYPE html>"))

    def test_unknown_paths_and_folders_are_not_found(self):
        for path in ["/nothing.html", "/Client/index/game/", "/test/", "/"]:
            with self.subTest(path=path):
                response, _ = self.get(path)
                self.assertEqual(response.status, 404)

    def test_every_request_line_is_logged_as_it_arrives(self):
        self.get("/test/landing.html?mark=log-1")
        self.get("/missing?mark=log-2", method="HEAD")
        lines = self.logged()
        self.assertIn("GET /test/landing.html?mark=log-1 HTTP/1.1", lines)
        self.assertIn("HEAD /missing?mark=log-2 HTTP/1.1", lines)
        self.assertFalse(any("mark=log-3" in line for line in lines))



class PortalServerOptionsTest(unittest.TestCase):
    def test_autologin_is_switched_on_in_the_login_page_only_when_asked(self):
        for options, marker in [((), b"var portalAutologin = false;"),
                                (("--autologin",), b"var portalAutologin = true;")]:
            with self.subTest(options=options), tempfile.TemporaryDirectory() as tmp:
                server, port = start_server(os.path.join(tmp, "requests.log"), *options)
                try:
                    response, body = get(port, "/Client/index/game/VL.html")
                    self.assertEqual(response.status, 200)
                    self.assertEqual(int(response.getheader("Content-Length")), len(body))
                    self.assertIn(marker, body)
                finally:
                    stop_server(server)

    def test_sigterm_stops_the_server_with_status_0(self):
        with tempfile.TemporaryDirectory() as tmp:
            server, port = start_server(os.path.join(tmp, "requests.log"))
            try:
                self.assertIsNotNone(port)
                server.send_signal(signal.SIGTERM)
                self.assertEqual(server.wait(timeout=30), 0)
            finally:
                stop_server(server)


if __name__ == "__main__":
    unittest.main()
