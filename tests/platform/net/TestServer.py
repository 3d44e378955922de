#!/usr/bin/python3
# A local HTTP server for the web task tests. Binds 127.0.0.1 on a free port, writes
# the port to the file named by argv[1] and ends by itself after argv[2] seconds.
import http.server
import socketserver
import sys
import threading
import time

counters = {}
lock = threading.Lock()


def body_bytes(n):
    return bytes((i * 7 + 3) & 0xFF for i in range(n))


# Successive answers of the address pages: the last one repeats.
ADDRESS_PAGES = {
    '/v4': [b'203.0.113.7\n'],
    '/v6': [b'2001:0db8:85a3:0000:0000:8a2e:0370:7334\r\n'],
    '/junk-then-v4': [b'<html>busy</html>', b'203.0.113.', b'198.51.100.23'],
    '/junk': [b'<html><body>no address here</body></html>'],
    '/long': [b'203.0.113.7' + b' ' * 20 + b'x' * 89],
    '/empty': [b''],
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def send_body(self, body, status=200, ctype='application/octet-stream'):
        self.send_response(status)
        self.send_header('Content-Type', ctype)
        self.send_header('Content-Length', str(len(body)))
        self.send_header('Cache-Control', 'no-store')
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path == '/text':
            self.send_body(b'A\xe9 z\x01\xff', ctype='text/plain')
        elif path.startswith('/bytes/'):
            self.send_body(body_bytes(int(path[7:])))
        elif path.startswith('/status/'):
            code = int(path[8:])
            self.send_body(b'error page %d' % code, status=code, ctype='text/html')
        elif path == '/headers':
            ua = self.headers.get('User-Agent', '')
            ref = self.headers.get('Referer', '')
            self.send_body(('%s|%s' % (ua, ref)).encode('latin-1'), ctype='text/plain')
        elif path == '/trickle':
            # 100 KB announced, sent ten bytes at a time.
            self.send_response(200)
            self.send_header('Content-Length', '100000')
            self.end_headers()
            try:
                for _ in range(10000):
                    self.wfile.write(b'0123456789')
                    self.wfile.flush()
                    time.sleep(0.05)
            except OSError:
                pass
        elif path == '/stall':
            # Headers, then silence.
            self.send_response(200)
            self.send_header('Content-Length', '1000')
            self.end_headers()
            self.wfile.flush()
            time.sleep(60)
        elif path.endswith('/webapps/ip/'):
            key = path[:-len('/webapps/ip/')]
            pages = ADDRESS_PAGES.get(key)
            if pages is None:
                self.send_body(b'not found', status=404, ctype='text/html')
                return
            with lock:
                i = counters.get(key, 0)
                counters[key] = i + 1
            self.send_body(pages[min(i, len(pages) - 1)], ctype='text/plain')
        else:
            self.send_body(b'not found', status=404, ctype='text/html')


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    # Whatever descriptors the test process handed down (its output pipe among
    # them) are closed, so a server that outlives its test never keeps the test
    # runner waiting for that pipe to end.
    import os
    os.closerange(3, 4096)
    server = Server(('127.0.0.1', 0), Handler)
    with open(sys.argv[1] + '.tmp', 'w') as f:
        f.write(str(server.server_address[1]))
    os.rename(sys.argv[1] + '.tmp', sys.argv[1])
    life = float(sys.argv[2]) if len(sys.argv) > 2 else 170
    threading.Timer(life, lambda: os._exit(0)).start()
    server.serve_forever()


main()
