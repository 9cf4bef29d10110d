#!/usr/bin/env python3
"""The demo portal: serves tools/portal/site/ on the loopback interface only.

    serve.py [--port N] [--log FILE] [--root DIR] [--autologin]

Prints one line "portal ready http://127.0.0.1:PORT/" on standard output once it
accepts connections (with --port 0 the system picks the port and the line tells
which). With --log, every request line ("GET /path?query HTTP/1.1") is appended
to FILE and flushed at once, so a test can assert what the server did and did
not see. SIGTERM or SIGINT stops it cleanly with exit status 0.

Responses carry "Cache-Control: no-store" so that a browser's cache never hides
a request from the log.

With --autologin the login page logs in by itself on load, as it does when its
own address carries "?autologin=1": for a browser whose address a test cannot
choose, such as the launcher's.
"""

import argparse
import functools
import http.server
import io
import os
import signal
import sys
import threading

DEFAULT_PORT = 8731
SITE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "site")
LOGIN_PAGE = "/Client/index/game/VL.html"
AUTOLOGIN_OFF = b"var portalAutologin = false;"
AUTOLOGIN_ON = b"var portalAutologin = true;"


class PortalHandler(http.server.SimpleHTTPRequestHandler):
    # Set per server through functools.partial; None means no request log.
    def __init__(self, *args, request_log=None, autologin=False, **kwargs):
        self.request_log = request_log
        self.autologin = autologin
        super().__init__(*args, **kwargs)

    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".html": "text/html; charset=utf-8",
        ".css": "text/css; charset=utf-8",
        ".js": "application/javascript; charset=utf-8",
    }

    def log_request(self, code="-", size="-"):
        if self.request_log is not None:
            self.request_log(self.requestline)

    def log_message(self, format, *args):
        # Errors and access lines would interleave with the ready line on
        # stdout/stderr of a test harness; the request log is the record.
        pass

    def send_head(self):
        page_path = self.translate_path(LOGIN_PAGE)
        if (not self.autologin or self.path.split("?", 1)[0] != LOGIN_PAGE
                or not os.path.isfile(page_path)):
            return super().send_head()
        with open(page_path, "rb") as page:
            body = page.read().replace(AUTOLOGIN_OFF, AUTOLOGIN_ON)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(LOGIN_PAGE))
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        return io.BytesIO(body)

    def list_directory(self, path):
        # A portal shows pages, not folders.
        self.send_error(404, "Not found")
        return None

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


class RequestLog:
    """Appends request lines to a file; shared by the server's threads."""

    def __init__(self, path):
        self._file = open(path, "a", encoding="utf-8")
        self._lock = threading.Lock()

    def __call__(self, line):
        with self._lock:
            self._file.write(line + "\n")
            self._file.flush()

    def close(self):
        self._file.close()


def make_server(port, root=SITE, request_log=None, autologin=False):
    handler = functools.partial(PortalHandler, directory=root, request_log=request_log,
                                autologin=autologin)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    server.daemon_threads = True
    return server


def main(argv=None):
    parser = argparse.ArgumentParser(description="Serve the demo portal on 127.0.0.1.")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT,
                        help="TCP port (default %(default)s, 0 picks a free one)")
    parser.add_argument("--log", help="append every request line to this file")
    parser.add_argument("--root", default=SITE, help="folder to serve (default: the demo site)")
    parser.add_argument("--autologin", action="store_true",
                        help="serve the login page so that it logs in by itself on load")
    args = parser.parse_args(argv)

    request_log = RequestLog(args.log) if args.log else None
    try:
        server = make_server(args.port, args.root, request_log, args.autologin)
    except OSError as error:
        print("serve.py: cannot listen on 127.0.0.1:%d: %s" % (args.port, error.strerror),
              file=sys.stderr)
        return 1

    # shutdown() waits for serve_forever() to return, so it cannot run on the
    # main thread, where the signal handler interrupts serve_forever() itself.
    def stop(signum, frame):
        threading.Thread(target=server.shutdown).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    print("portal ready http://127.0.0.1:%d/" % server.server_address[1], flush=True)
    server.serve_forever()
    server.server_close()
    if request_log:
        request_log.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
