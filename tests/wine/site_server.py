#!/usr/bin/env python3
"""A small HTTP server for the Wine tests' update site, with the faults a
real site shows.

    site_server.py PORT ROOT

Serves the files below ROOT on 127.0.0.1:PORT. A path that names no file is
answered "404 Not Found" with an HTML page as its body, the way web servers
answer. Beside a file NAME, a file NAME.cut holding a number N makes the
server announce NAME's whole length, send only its first N bytes and then
close the connection, as a transfer broken off half-way does.
"""
import http.server
import os
import socket
import sys

NOT_FOUND = (b"<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n"
             b"<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p></body></html>\n")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def local_path(self):
        parts = self.path.split("?", 1)[0].split("/")
        if any(p in ("..", ".") for p in parts):
            return None
        path = os.path.join(self.server.root, *[p for p in parts if p])
        return path if os.path.isfile(path) else None

    def send_bytes(self, status, content_type, body, sent=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        if sent is not None:
            self.send_header("Connection", "close")
        self.end_headers()
        if self.command == "HEAD":
            return
        if sent is None:
            self.wfile.write(body)
            return
        self.wfile.write(body[:sent])
        self.wfile.flush()
        # Cut off: the rest never comes.
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def do_GET(self):
        path = self.local_path()
        if path is None:
            self.send_bytes(404, "text/html", NOT_FOUND)
            return
        with open(path, "rb") as f:
            body = f.read()
        sent = None
        if os.path.isfile(path + ".cut"):
            with open(path + ".cut") as f:
                sent = int(f.read().strip() or "0")
        self.send_bytes(200, "application/octet-stream", body, sent)

    do_HEAD = do_GET

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))


def main():
    port, root = int(sys.argv[1]), sys.argv[2]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    server.root = root
    server.serve_forever()


if __name__ == "__main__":
    main()
