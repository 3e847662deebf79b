#!/usr/bin/env python3
"""A small HTTP server for the Wine tests' update site, with the faults a
real site shows.

    site_server.py PORT ROOT

Serves the files below ROOT on 127.0.0.1:PORT. A path that names no file is
answered "404 Not Found" with an HTML page as its body, the way web servers
answer. Beside a file NAME, a file NAME.cut holding a number N makes the
server announce NAME's whole length, send only its first N bytes and then
close the connection, as a transfer broken off half-way does. A file
NAME.stall holding a number N makes it announce the whole length, send the
first N bytes and then nothing more, keeping the connection open until the
client goes (at most two minutes), as a silent site does. A file
NAME.answer holding one word frames the answer the way a faulty server or
proxy does:

    nolength        no Content-Length; the connection closes after the body
    chunked         Transfer-Encoding: chunked, no length (with NAME.cut: the
                    chunks up to N bytes, then the connection closes before
                    the last, empty chunk)
    chunked-length  chunked, and a Content-Length beside it
    two-lengths     the body's Content-Length and a second, one greater
    gzip            the body gzip-compressed whatever the request accepts,
                    with the compressed length (NAME.cut cuts the compressed
                    bytes)
    broken-gzip     Content-Encoding: gzip over bytes that are no gzip data
    broken-chunked  chunked, the whole body in one chunk and then a chunk
                    size that is no number
    over            the body's length announced, one byte more sent, then the
                    connection closes
    204             "204 No Content", no body
    206             "206 Partial Content" with the first half of the body
    gzip-chunked    "Transfer-Encoding: gzip, chunked": the body gzip-compressed,
                    then sent in chunks; the connection closes after them
    slow            the body with its length, in pieces of 300 bytes 0.2 s
                    apart

Every request's Accept-Encoding headers are logged to the server's log.
"""
import gzip
import http.server
import os
import select
import socket
import sys
import time

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

    def send_bytes(self, status, content_type, body, sent=None, answer="", stall=None):
        headers = [("Content-Type", content_type), ("Cache-Control", "no-store")]
        chunked = answer in ("chunked", "chunked-length", "broken-chunked", "gzip-chunked")
        if answer == "gzip-chunked":
            body = gzip.compress(body)
        if answer in ("gzip", "broken-gzip"):
            if answer == "broken-gzip":
                body = b"these bytes are no gzip data" * 20
            else:
                body = gzip.compress(body)
            headers.append(("Content-Encoding", "gzip"))
        if answer == "204":
            status, body = 204, b""
        elif answer == "206":
            half = len(body) // 2
            headers.append(("Content-Range", "bytes 0-%d/%d" % (half - 1, len(body))))
            status, body = 206, body[:half]
        if answer == "gzip-chunked":
            headers.append(("Transfer-Encoding", "gzip, chunked"))
        elif chunked:
            headers.append(("Transfer-Encoding", "chunked"))
        if answer not in ("nolength", "chunked", "broken-chunked", "gzip-chunked", "204"):
            headers.append(("Content-Length", str(len(body) - (1 if answer == "over" else 0))))
        if answer == "two-lengths":
            headers.append(("Content-Length", str(len(body) + 1)))
        closes = sent is not None or answer in ("nolength", "over", "broken-chunked", "gzip-chunked")
        if closes:
            headers.append(("Connection", "close"))
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        if self.command == "HEAD" or status == 204:
            return
        if sent is not None:
            body = body[:sent]
        if stall is not None:
            self.wfile.write(body[:stall])
            self.wfile.flush()
            self.wait_for_client_to_go(120)
            self.close_connection = True
            return
        if answer == "slow":
            for at in range(0, len(body), 300):
                self.wfile.write(body[at:at + 300])
                self.wfile.flush()
                time.sleep(0.2)
        elif answer == "broken-chunked":
            self.wfile.write(b"%x\r\n%s\r\nzz\r\n" % (len(body), body))
            sent = len(body)
        elif chunked:
            for at in range(0, len(body), 1000):
                piece = body[at:at + 1000]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            if sent is None:
                self.wfile.write(b"0\r\n\r\n")
        else:
            self.wfile.write(body)
        if not closes:
            return
        self.wfile.flush()
        # Cut off, or the end of a body without a length: the rest never comes.
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def wait_for_client_to_go(self, seconds):
        end = time.time() + seconds
        while time.time() < end:
            readable, _, _ = select.select([self.connection], [], [], 0.5)
            if readable:
                try:
                    if not self.connection.recv(4096):
                        return
                except OSError:
                    return

    def do_GET(self):
        sys.stderr.write("%s Accept-Encoding: %s\n" % (self.path, self.headers.get_all("Accept-Encoding")))
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
        answer = ""
        if os.path.isfile(path + ".answer"):
            with open(path + ".answer") as f:
                answer = f.read().strip()
        stall = None
        if os.path.isfile(path + ".stall"):
            with open(path + ".stall") as f:
                stall = int(f.read().strip() or "0")
        self.send_bytes(200, "application/octet-stream", body, sent, answer, stall)

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
