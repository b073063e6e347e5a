#!/usr/bin/env python3
"""Runs client.tcl through the zorak program against HTTP and HTTPS servers of
its own on free local ports, and compares what it prints with client.out
(client.win32.out for the Windows build). ZORAK_BLESS=1 rewrites the
expected file. Exits 77 (skipped) when openssl is missing."""
import argparse
import http.server
import os
import shutil
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, code, body=b"", headers=()):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def route(self):
        length = int(self.headers.get("Content-Length") or 0)
        received = self.rfile.read(length) if length else b""
        path = self.path
        if path == "/hello":
            self.reply(200, b"hello world", [("Content-Type", "text/plain"), ("X-Test", "yes")])
        elif path == "/echo":
            lines = [
                f"{self.command} {path}",
                f"x-custom: {self.headers.get('X-Custom')}",
                f"content-type: {self.headers.get('Content-Type')}",
                "body: " + received.decode("latin-1"),
            ]
            self.reply(200, "\n".join(lines).encode("latin-1"))
        elif path == "/redirect":
            self.reply(302, b"moved", [("Location", "/hello")])
        elif path == "/redirect-loop":
            self.reply(302, b"again", [("Location", "/redirect-loop")])
        elif path == "/bytes":
            self.reply(200, bytes(range(256)) * 4, [("Content-Type", "application/octet-stream")])
        elif path == "/slow":
            time.sleep(5)
            self.reply(200, b"late")
        elif path == "/fail":
            self.reply(500, b"broken", [("X-Test", "failed")])
        else:
            self.reply(404, b"no such page")

    do_GET = do_HEAD = do_POST = route


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that hang up early (the timeout case) are expected


def serve(server):
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    return "127.0.0.1", server.server_address[1]


def refused_port():
    # A port that was free a moment ago and has no listener now.
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zorak", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("--expected", required=True)
    parser.add_argument("--no-https", action="store_true")
    args = parser.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    work = tempfile.mkdtemp(prefix="zorak-http-")
    try:
        env = dict(os.environ)
        for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy",
                     "ALL_PROXY", "no_proxy", "NO_PROXY"):
            env.pop(name, None)
        host, port = serve(Server(("127.0.0.1", 0), Handler))
        env["ZT_HTTP"] = f"http://{host}:{port}"
        env["ZT_REFUSED"] = f"http://127.0.0.1:{refused_port()}"
        env["ZT_WORK"] = work
        if not args.no_https:
            if not shutil.which("openssl"):
                print("skipped: openssl is not installed (needed for the https cases)")
                return 77
            cert = os.path.join(work, "cert.pem")
            key = os.path.join(work, "key.pem")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                            "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
                            "-addext", "subjectAltName=IP:127.0.0.1"],
                           check=True, capture_output=True)
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(cert, key)
            secure = Server(("127.0.0.1", 0), Handler)
            secure.socket = context.wrap_socket(secure.socket, server_side=True)
            host, port = serve(secure)
            env["ZT_HTTPS"] = f"https://{host}:{port}"
            env["ZT_CA"] = cert
        command = ([args.emulator] if args.emulator else []) + [
            args.zorak, os.path.join(here, "client.tcl")]
        run = subprocess.run(command, env=env, capture_output=True, timeout=300)
        out = run.stdout.decode("latin-1").replace("\r\n", "\n").replace(work, "WORK")
        out += f"=== exit status: {run.returncode}\n"
        if os.environ.get("ZORAK_BLESS"):
            with open(args.expected, "w", newline="\n") as f:
                f.write(out)
            return 0
        with open(args.expected, newline="") as f:
            wanted = f.read()
        if out != wanted:
            sys.stdout.write("output differs from " + args.expected + ":\n" + out)
            sys.stdout.write(run.stderr.decode("latin-1"))
            return 1
        leftovers = sorted(set(os.listdir(work)) - {"cert.pem", "key.pem"})
        if leftovers:
            print("the script left files behind:", leftovers)
            return 1
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
