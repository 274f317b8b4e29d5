#!/usr/bin/python3
"""Serves the web page's site on this computer only, as `make web-run` does.

    PORT=8000 serve.py SITE     serves the folder SITE on http://127.0.0.1:PORT/
    PORT=8000 serve.py --check  says only whether it could

The port is bound before the address is printed; a port that is not one,
is taken or may not be used stops it with one line that says so and what
to do, and status 2. Every response carries the headers a host should send
(HEADERS), the files their types (TYPES); folders are not listed, requests
are not logged, and a connection that stays idle is closed.
"""

import errno
import http.server
import os
import pathlib
import re
import sys
from http import HTTPStatus

HOST = '127.0.0.1'
# Seconds a connection may wait between the bytes of a request, or a
# client between the bytes it takes.
IDLE_SECONDS = 5

# The site's files by their ending. Text is UTF-8; anything else the site
# does not hold, and is served as bytes that no browser runs.
TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.txt': 'text/plain; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
    '.woff2': 'font/woff2',
}
UNKNOWN_TYPE = 'application/octet-stream'


def page_policy(site):
    """The Content-Security-Policy the page's <meta> gives."""
    page = (site / 'index.html').read_text(encoding='utf-8')
    meta = re.search(r'<meta http-equiv="Content-Security-Policy" content="([^"]*)">', page)
    if not meta:
        raise ValueError(f'{site / "index.html"} has no Content-Security-Policy')
    return meta.group(1)


def headers(site):
    """HEADERS: the page's own policy, with what a <meta> cannot say: that
    no other site may show the game in a frame; no guessing at a file's
    type; no address of the game given to the sites its links lead to."""
    return [
        ('Content-Security-Policy', page_policy(site) + "; frame-ancestors 'none'"),
        ('X-Content-Type-Options', 'nosniff'),
        ('Referrer-Policy', 'no-referrer'),
    ]


def port_from(text):
    """The port PORT names, or None: a decimal number from 1 to 65535."""
    if not re.fullmatch(r'[0-9]{1,5}', text, re.ASCII):
        return None
    port = int(text)
    return port if 1 <= port <= 65535 else None


def handler_for(site, sent_headers):
    class Handler(http.server.SimpleHTTPRequestHandler):
        timeout = IDLE_SECONDS

        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=str(site), **kwargs)

        def version_string(self):
            return 'Vesmor'

        def guess_type(self, path):
            return TYPES.get(pathlib.PurePath(path).suffix.lower(), UNKNOWN_TYPE)

        def send_head(self):
            # A folder shows its index.html or nothing: its files are not listed.
            path = pathlib.Path(self.translate_path(self.path))
            if path.is_dir() and not (path / 'index.html').is_file():
                self.send_error(HTTPStatus.NOT_FOUND)
                return None
            return super().send_head()

        def end_headers(self):
            for name, value in sent_headers:
                self.send_header(name, value)
            super().end_headers()

        def log_message(self, format, *args):
            pass

    return Handler


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A client that went away or stayed idle is no news.
        if not isinstance(sys.exc_info()[1], OSError):
            super().handle_error(request, client_address)


def fail(message):
    print(f'web-run: {message}', file=sys.stderr)
    sys.exit(2)


def bind(port, handler):
    """The server bound to the port, or one line on what to do and status 2."""
    try:
        return Server((HOST, port), handler)
    except PermissionError:
        fail(f'port {port} needs rights this user does not have: choose one from 1024 up, '
             'as in make web-run PORT=8080')
    except OSError as error:
        if error.errno == errno.EADDRINUSE:
            fail(f'port {port} is taken by another program: stop it, or choose another port, '
                 f'as in make web-run PORT={port + 1 if port < 65535 else 8080}')
        fail(f'cannot serve on port {port}: {error.strerror}')


def main(arguments):
    text = os.environ.get('PORT', '8000')
    port = port_from(text)
    if port is None:
        fail(f"PORT={text!r} is not a port: give a number from 1 to 65535, as in make web-run PORT=8080")
    if arguments == ['--check']:
        bind(port, http.server.BaseHTTPRequestHandler).server_close()
        return
    if len(arguments) != 1:
        fail('usage: PORT=N serve.py SITE | --check')
    site = pathlib.Path(arguments[0])
    try:
        sent_headers = headers(site)
    except (OSError, ValueError) as error:
        fail(f'{site} holds no page ({error}): make web builds it')
    server = bind(port, handler_for(site, sent_headers))
    print(f'Vesmor plays at http://{HOST}:{server.server_address[1]}/ (Ctrl+C stops the server)', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == '__main__':
    main(sys.argv[1:])
