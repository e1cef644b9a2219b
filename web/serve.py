#!/usr/bin/python3
"""Serves a folder (the built site) on 127.0.0.1 only, as a static web host would.

    web/serve.py FOLDER [PORT]

PORT 0 or none takes a free port. The first line printed is the site's address; the
server runs until it is stopped. The file types are given here, not taken from the
machine's list, so that every machine serves the modules and the wasm the same way.
"""
import functools
import http.server
import sys

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".json": "application/json",
    ".png": "image/png",
    ".ico": "image/x-icon",
    "": "application/octet-stream",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = TYPES

    def log_message(self, format, *args):
        pass


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
