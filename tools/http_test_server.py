#!/usr/bin/env python3
"""A small HTTP/1.1 server for the tests and the demo: serves one folder on 127.0.0.1.

It records every request (connection number, method, raw target exactly as received, protocol
version and headers) and can be told, per path, to misbehave in the ways a real network does:
answer with another status, stall, drop the connection in the middle of a body, or announce a
wrong Content-Length.

Start:   http_test_server.py --root DIR [--port-file FILE] [--detach-stdio] [--lifeline]
The port is printed as the first line on stdout and, with --port-file, written to that file
(complete when it appears: it is renamed into place).

Control, under the reserved prefix /__control/ (these requests are not recorded):
  GET  /__control/log       the request log, one block per request:
                              request <connection> <version> <method> <raw target>
                              header <name>: <value>          (one line per header, in order)
  POST /__control/rule      add a behaviour; the body holds "key value" lines:
                              path /raw/target        (required; compared with the raw target)
                              method GET|HEAD         (optional; otherwise both)
                              status 204|302|404|500  (answer with this status, no file needed)
                              location URL            (for a 3xx; default "/")
                              stall SECONDS           (send nothing for that long ...)
                              stall-at BYTES          (... after that many body bytes;
                                                       without it, before the status line)
                              drop-after BYTES        (close the connection after that many
                                                       body bytes)
                              content-length N|none   (announce N, or no length at all; the
                                                       connection is closed after the body)
                              header Name: value      (an extra response header; repeatable)
                              times N                 (only for the next N requests)
                            A later rule for the same path and method replaces an earlier one.
  GET  /__control/reset     forget the log and every rule
  GET  /__control/shutdown  end the server
  GET  /__control/lifeline  held open by the caller; the server ends when it closes, so a
                            caller that dies (and cannot stop us) never leaves us running

Paths map to files below the root: %XX is decoded to bytes, runs of "/" count as one, the
query is ignored, ".." is refused. A name whose bytes are not on disk is also tried as GBK
text converted to the file system's encoding, so files created through Wine (which stores
names as UTF-8) are found by their GBK request paths.
"""

import argparse
import os
import socket
import socketserver
import sys
import threading
import time

CONTROL_PREFIX = b"/__control/"
CHUNK = 256 * 1024
MAX_HEADER_BYTES = 64 * 1024
IDLE_CONNECTION_SECONDS = 120
LIFELINE_WAIT_SECONDS = 60

REASONS = {
    200: "OK", 204: "No Content", 301: "Moved Permanently", 302: "Found",
    303: "See Other", 307: "Temporary Redirect", 400: "Bad Request", 401: "Unauthorized",
    403: "Forbidden", 404: "Not Found", 405: "Method Not Allowed", 500: "Internal Server Error",
    503: "Service Unavailable",
}


class Rule:
    def __init__(self):
        self.path = None
        self.method = None
        self.status = None
        self.location = b"/"
        self.stall = None
        self.stall_at = None
        self.drop_after = None
        self.content_length = None  # int, or "none"
        self.headers = []
        self.times = None

    @staticmethod
    def parse(body):
        rule = Rule()
        for raw_line in body.split(b"\n"):
            line = raw_line.rstrip(b"\r")
            if not line.strip():
                continue
            key, _, value = line.partition(b" ")
            key = key.decode("ascii", "replace").lower()
            if key == "path":
                rule.path = value
            elif key == "method":
                rule.method = value.strip().upper()
            elif key == "status":
                rule.status = int(value)
            elif key == "location":
                rule.location = value.strip()
            elif key == "stall":
                rule.stall = float(value)
            elif key == "stall-at":
                rule.stall_at = int(value)
            elif key == "drop-after":
                rule.drop_after = int(value)
            elif key == "content-length":
                rule.content_length = "none" if value.strip() == b"none" else int(value)
            elif key == "header":
                rule.headers.append(value.strip())
            elif key == "times":
                rule.times = int(value)
            else:
                raise ValueError("unknown rule key %r" % key)
        if not rule.path:
            raise ValueError("a rule needs a path")
        return rule


class State:
    def __init__(self, root):
        self.root = os.fsencode(os.path.abspath(root))
        self.lock = threading.Lock()
        self.log = []
        self.rules = []
        self.next_connection = 0
        self.lifeline_seen = threading.Event()

    def new_connection_id(self):
        with self.lock:
            self.next_connection += 1
            return self.next_connection

    def record(self, connection, version, method, target, headers):
        lines = [b"request %d %s %s %s" % (connection, version, method, target)]
        lines += [b"header " + name + b": " + value for name, value in headers]
        with self.lock:
            self.log.append(b"\n".join(lines) + b"\n")

    def add_rule(self, rule):
        with self.lock:
            self.rules = [r for r in self.rules
                          if not (r.path == rule.path and r.method == rule.method)]
            self.rules.append(rule)

    def take_rule(self, method, target):
        """The rule for this request, counting one use of it."""
        with self.lock:
            for rule in reversed(self.rules):
                if rule.path == target and rule.method in (None, method):
                    if rule.times is not None:
                        rule.times -= 1
                        if rule.times <= 0:
                            self.rules.remove(rule)
                    return rule
        return None

    def reset(self):
        with self.lock:
            self.log = []
            self.rules = []


def percent_decode(data):
    out = bytearray()
    i = 0
    while i < len(data):
        if data[i] == 0x25 and _is_hex(data[i + 1:i + 3]):
            out.append(int(data[i + 1:i + 3], 16))
            i += 3
        else:
            out.append(data[i])
            i += 1
    return bytes(out)


def _is_hex(two):
    return len(two) == 2 and all(c in b"0123456789abcdefABCDEF" for c in two)


def file_for(root, target):
    """The file a raw target names below root, or None."""
    path = target.split(b"?", 1)[0]
    parts = [p for p in percent_decode(path).split(b"/") if p]
    if any(p in (b".", b"..") or b"\0" in p for p in parts):
        return None
    candidates = [os.path.join(root, *parts)] if parts else []
    try:
        as_text = [p.decode("gbk") for p in parts]
        converted = os.path.join(root, *[os.fsencode(p) for p in as_text])
        if parts and converted not in candidates:
            candidates.append(converted)
    except (UnicodeDecodeError, UnicodeEncodeError):
        pass
    for candidate in candidates:
        if os.path.isfile(candidate):
            return candidate
    return None


class Connection(socketserver.BaseRequestHandler):
    def setup(self):
        self.state = self.server.state
        self.id = self.state.new_connection_id()
        self.buffer = b""
        self.request.settimeout(IDLE_CONNECTION_SECONDS)
        self.request.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def handle(self):
        try:
            while self.serve_one():
                pass
        except (OSError, ValueError):
            pass

    def read_head(self):
        while b"\r\n\r\n" not in self.buffer:
            if len(self.buffer) > MAX_HEADER_BYTES:
                return None
            data = self.request.recv(65536)
            if not data:
                return None
            self.buffer += data
        head, _, self.buffer = self.buffer.partition(b"\r\n\r\n")
        return head

    def read_body(self, length):
        while len(self.buffer) < length:
            data = self.request.recv(65536)
            if not data:
                return None
            self.buffer += data
        body, self.buffer = self.buffer[:length], self.buffer[length:]
        return body

    def serve_one(self):
        head = self.read_head()
        if head is None:
            return False
        lines = head.split(b"\r\n")
        words = lines[0].split(b" ")
        if len(words) < 3:
            self.send_simple(400, b"bad request line\n", keep_alive=False)
            return False
        method, version = words[0], words[-1]
        # Everything between the method and the version: a raw blank in a target stays visible.
        target = lines[0][len(method) + 1:len(lines[0]) - len(version) - 1]
        headers = []
        for line in lines[1:]:
            name, _, value = line.partition(b":")
            headers.append((name.strip(), value.strip()))
        connection_header = b",".join(v for n, v in headers if n.lower() == b"connection").lower()
        keep_alive = (version == b"HTTP/1.1" and b"close" not in connection_header) or \
                     (version == b"HTTP/1.0" and b"keep-alive" in connection_header)
        length = next((int(v) for n, v in headers if n.lower() == b"content-length"), 0)
        body = self.read_body(length) if length else b""
        if body is None:
            return False

        if target.startswith(CONTROL_PREFIX):
            return self.control(method, target[len(CONTROL_PREFIX):], body)

        self.state.record(self.id, version, method, target, headers)
        if method not in (b"GET", b"HEAD"):
            self.send_simple(405, b"only GET and HEAD\n", keep_alive)
            return keep_alive
        rule = self.state.take_rule(method, target)
        return self.answer(method, target, rule, keep_alive)

    # --- answers -------------------------------------------------------------------------

    def answer(self, method, target, rule, keep_alive):
        if rule and rule.stall is not None and rule.stall_at is None:
            time.sleep(rule.stall)
        if rule and rule.status is not None:
            return self.answer_status(method, rule, keep_alive)
        path = file_for(self.state.root, target)
        if path is None:
            self.send_simple(404, b"not found\n", keep_alive, head_only=method == b"HEAD")
            return keep_alive
        return self.answer_file(method, path, rule, keep_alive)

    def answer_status(self, method, rule, keep_alive):
        extra = list(rule.headers)
        if 300 <= rule.status < 400:
            extra.append(b"Location: " + rule.location)
        if rule.status in (204, 304):
            self.send_head(rule.status, None, extra, keep_alive)
            return keep_alive
        body = b"%d\n" % rule.status
        self.send_head(rule.status, len(body), extra, keep_alive)
        if method != b"HEAD":
            self.request.sendall(body)
        return keep_alive

    def answer_file(self, method, path, rule, keep_alive):
        size = os.path.getsize(path)
        announced = size
        misannounced = False
        if rule and rule.content_length is not None:
            announced = None if rule.content_length == "none" else rule.content_length
            misannounced = announced != size
        if misannounced:
            keep_alive = False  # the body cannot end where the length says it does
        self.send_head(200, announced, rule.headers if rule else [], keep_alive)
        if method == b"HEAD":
            return keep_alive
        limit = size
        if rule and rule.drop_after is not None:
            limit = min(size, rule.drop_after)
        pause_at = None
        if rule and rule.stall is not None and rule.stall_at is not None:
            pause_at = rule.stall_at
        sent = 0
        with open(path, "rb") as f:
            while sent < limit:
                if pause_at is not None and sent >= pause_at:
                    time.sleep(rule.stall)
                    pause_at = None
                end = limit if pause_at is None else min(limit, pause_at)
                data = f.read(min(CHUNK, end - sent))
                if not data:
                    break
                self.request.sendall(data)
                sent += len(data)
        if pause_at is not None:
            time.sleep(rule.stall)
        if sent < size:
            self.request.shutdown(socket.SHUT_RDWR)
            return False
        return keep_alive

    def send_head(self, status, length, extra, keep_alive):
        reason = REASONS.get(status, "Status").encode()
        lines = [b"HTTP/1.1 %d %s" % (status, reason), b"Server: quill-test"]
        if length is not None:
            lines.append(b"Content-Length: %d" % length)
        if status != 204:
            lines.append(b"Content-Type: application/octet-stream")
        lines += extra
        lines.append(b"Connection: keep-alive" if keep_alive else b"Connection: close")
        self.request.sendall(b"\r\n".join(lines) + b"\r\n\r\n")

    def send_simple(self, status, body, keep_alive, head_only=False):
        self.send_head(status, len(body), [], keep_alive)
        if not head_only:
            self.request.sendall(body)

    # --- control -------------------------------------------------------------------------

    def control(self, method, command, body):
        if command == b"log":
            with self.state.lock:
                text = b"".join(self.state.log)
            self.send_simple(200, text, keep_alive=False)
        elif command == b"rule" and method == b"POST":
            try:
                self.state.add_rule(Rule.parse(body))
            except ValueError as error:
                self.send_simple(400, str(error).encode() + b"\n", keep_alive=False)
                return False
            self.send_simple(200, b"ok\n", keep_alive=False)
        elif command == b"reset":
            self.state.reset()
            self.send_simple(200, b"ok\n", keep_alive=False)
        elif command == b"shutdown":
            self.send_simple(200, b"bye\n", keep_alive=False)
            self.request.shutdown(socket.SHUT_RDWR)
            os._exit(0)
        elif command == b"lifeline":
            self.state.lifeline_seen.set()
            self.send_simple(200, b"holding\n", keep_alive=False)
            self.request.settimeout(None)
            try:
                while self.request.recv(4096):
                    pass
            except OSError:
                pass
            os._exit(0)
        else:
            self.send_simple(404, b"unknown control\n", keep_alive=False)
        return False


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = False
    request_queue_size = 64


def write_port_file(path, port):
    temp = path + ".part"
    with open(temp, "w") as f:
        f.write("%d\n" % port)
    os.replace(temp, path)


def detach_stdio(log_file):
    """Our standard handles may be a pipe a test runner waits on; let go of them."""
    null = os.open(os.devnull, os.O_RDWR)
    out = os.open(log_file, os.O_WRONLY | os.O_CREAT | os.O_APPEND, 0o644) if log_file else null
    os.dup2(null, 0)
    os.dup2(out, 1)
    os.dup2(out, 2)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", required=True, help="folder to serve")
    parser.add_argument("--port", type=int, default=0, help="port (default: a free one)")
    parser.add_argument("--port-file", help="write the port number to this file")
    parser.add_argument("--detach-stdio", action="store_true",
                        help="let go of stdin/stdout/stderr once started")
    parser.add_argument("--log-file", help="with --detach-stdio: where errors go")
    parser.add_argument("--lifeline", action="store_true",
                        help="end when the /__control/lifeline connection closes, or when "
                             "none arrives within %d s" % LIFELINE_WAIT_SECONDS)
    args = parser.parse_args()

    if args.detach_stdio:
        detach_stdio(args.log_file)
    if not os.path.isdir(args.root):
        print("no such folder: %s" % args.root, file=sys.stderr)
        return 2

    state = State(args.root)
    server = Server(("127.0.0.1", args.port), Connection)
    server.state = state
    port = server.server_address[1]
    if not args.detach_stdio:
        print(port, flush=True)
    if args.port_file:
        write_port_file(args.port_file, port)

    if args.lifeline:
        def watchdog():
            if not state.lifeline_seen.wait(LIFELINE_WAIT_SECONDS):
                os._exit(0)
        threading.Thread(target=watchdog, daemon=True).start()

    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
