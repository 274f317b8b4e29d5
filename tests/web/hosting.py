#!/usr/bin/python3
"""The page's servers as a host meets them: make web-run's (web/serve.py)
and the example nginx server (docs/nginx.conf), on the site as it ships,
against the headers and types the README's hosting section lists.

    hosting.py SOURCE SITE
"""

import http.client
import os
import pathlib
import re
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import time

source, site = (pathlib.Path(a) for a in sys.argv[1:3])
serve_py = source / 'web' / 'serve.py'
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print(f'FAIL {what}')
    return ok


def readme_lists():
    """The headers and the types that the README tells a host to send."""
    text = (source / 'README.md').read_text(encoding='utf-8')
    hosting = text[text.index('**Hosting.**'):]
    hosting = hosting[:hosting.index('\n**', 1)]
    headers = re.findall(r'^    ([A-Za-z-]+): (.+)$', hosting, re.M)
    types = dict(re.findall(r'^\| `(\.[a-z0-9]+)` \| `([^`]+)` \|$', hosting, re.M))
    return headers, types


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


def fetch(port, path):
    connection = http.client.HTTPConnection('127.0.0.1', port, timeout=10)
    connection.request('GET', path)
    response = connection.getresponse()
    body = response.read()
    connection.close()
    return response.status, response.headers, body


def wait_for(port):
    for _ in range(100):
        try:
            socket.create_connection(('127.0.0.1', port), timeout=1).close()
            return True
        except OSError:
            time.sleep(0.05)
    return False


def check_server(name, port, headers, types):
    """Every file with its type and the headers; no folder listed."""
    for file in sorted(p for p in site.rglob('*') if p.is_file()):
        path = '/' + file.relative_to(site).as_posix()
        status, sent, body = fetch(port, path)
        check(status == 200 and body == file.read_bytes(), f'{name}: {path} gave {status}, {len(body)} bytes')
        check(sent['Content-Type'] == types.get(file.suffix),
              f'{name}: {path} sent as {sent["Content-Type"]!r}, the README says {types.get(file.suffix)!r}')
        check_headers(name, path, sent, headers)
    folders = sorted({p.parent.relative_to(site).as_posix() for p in site.rglob('*') if p.parent != site})
    for path in ['/'] + [f'/{f}/' for f in folders] + [f'/{f}' for f in folders] + ['/missing.png']:
        status, sent, body = fetch(port, path)
        if path == '/':
            check(status == 200 and sent['Content-Type'] == types['.html'], f'{name}: / gave {status}')
        else:
            listed = [p.name for p in (site / path.strip('/')).glob('*')]
            check(status == 404 and not any(n.encode() in body for n in listed), f'{name}: {path} gave {status}')
        check_headers(name, path, sent, headers)


def check_headers(name, path, sent, headers):
    for header, value in headers:
        check(sent[header] == value, f'{name}: {path} sent {header}: {sent[header]!r}')


def check_port_refusals():
    """A PORT that is not one, or a taken one: one line on what to do, status 2."""
    with socket.socket() as taken:
        taken.bind(('127.0.0.1', 0))
        taken.listen()
        busy = str(taken.getsockname()[1])
        for port in ['abc', '0', '99999', '-5', '', ' 8000', '8000x', '٨٠٠٠', busy]:
            for arguments in (['--check'], [str(site)]):
                run = subprocess.run([sys.executable, serve_py, *arguments], env={**os.environ, 'PORT': port},
                                     capture_output=True, text=True, timeout=30)
                lines = run.stderr.splitlines()
                check(run.returncode == 2 and run.stdout == '' and len(lines) == 1 and lines[0].startswith('web-run: ')
                      and ('taken' in lines[0]) == (port == busy),
                      f'serve.py {arguments[0]} with PORT={port!r}: status {run.returncode}, '
                      f'said {run.stdout + run.stderr!r}')


def check_serve_py(headers, types):
    port = free_port()
    server = subprocess.Popen([sys.executable, serve_py, site], env={**os.environ, 'PORT': str(port)},
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    try:
        ready, _, _ = select.select([server.stdout], [], [], 30)
        announced = server.stdout.readline() if ready else ''
        check(announced.startswith(f'Vesmor plays at http://127.0.0.1:{port}/ '), f'serve.py announced {announced!r}')
        # Bound before it says so: the address answers at once.
        try:
            socket.create_connection(('127.0.0.1', port), timeout=1).close()
        except OSError as error:
            check(False, f'serve.py announced a port it does not serve: {error}')
        check_server('serve.py', port, headers, types)

        idle = socket.create_connection(('127.0.0.1', port))
        start = time.monotonic()
        idle.settimeout(30)
        check(idle.recv(1) == b'' and time.monotonic() - start < 8,
              f'serve.py kept an idle connection {time.monotonic() - start:.1f} s')
        idle.close()
    finally:
        server.terminate()
        out, err = server.communicate(timeout=30)
    check(out == '' and err == '', f'serve.py logged {out + err!r}')


def check_nginx(headers, types):
    """The example served by nginx on loopback, as any user may run it."""
    example = (source / 'docs' / 'nginx.conf').read_text(encoding='utf-8')
    if not shutil.which('nginx'):
        print('nginx is not installed: its example is checked by its text')
        sent = re.findall(r'^\s*add_header (\S+) "(.*)" always;$', example, re.M)
        check(sent == headers, f'docs/nginx.conf adds {sent}')
        return
    port = free_port()
    with tempfile.TemporaryDirectory() as run:
        server = re.sub(r'listen 80;', f'listen 127.0.0.1:{port};', example)
        server = re.sub(r'root /var/www/vesmor;', f'root {site.resolve()};', server)
        (pathlib.Path(run) / 'vesmor.conf').write_text(server, encoding='utf-8')
        temporary = ''.join(f'    {kind}_temp_path {run}/{kind};\n'
                            for kind in ('client_body', 'proxy', 'fastcgi', 'uwsgi', 'scgi'))
        (pathlib.Path(run) / 'nginx.conf').write_text(
            f'daemon off;\nmaster_process off;\npid {run}/nginx.pid;\nerror_log {run}/error.log;\nevents {{}}\n'
            f'http {{\n    access_log off;\n{temporary}    include {run}/vesmor.conf;\n}}\n', encoding='utf-8')
        nginx = subprocess.Popen(['nginx', '-p', run, '-e', f'{run}/error.log', '-c', f'{run}/nginx.conf'],
                                 stderr=subprocess.PIPE, text=True)
        try:
            if check(wait_for(port), 'nginx did not start: ' + pathlib.Path(f'{run}/error.log').read_text()):
                check_server('nginx', port, headers, types)
        finally:
            nginx.terminate()
            said = nginx.communicate(timeout=30)[1]
        log = said + pathlib.Path(f'{run}/error.log').read_text()
        check(log == '', f'nginx said: {log}')


def main():
    headers, types = readme_lists()
    names = [name for name, _ in headers]
    check(names == ['Content-Security-Policy', 'X-Content-Type-Options', 'Referrer-Policy'],
          f'the README lists the headers {names}')
    # The page's <meta> and the header agree, but for what a <meta> cannot say.
    meta = re.search(r'Content-Security-Policy" content="([^"]*)"', (site / 'index.html').read_text()).group(1)
    check(dict(headers).get('Content-Security-Policy') == meta + "; frame-ancestors 'none'",
          f'the README\'s Content-Security-Policy is not the page\'s {meta!r} and frame-ancestors')
    missing = {p.suffix for p in site.rglob('*') if p.is_file()} - types.keys()
    check(not missing, f'the README gives no type for {sorted(missing)}')

    check_port_refusals()
    check_serve_py(headers, types)
    check_nginx(headers, types)
    if failures:
        print(f'hosting: {len(failures)} check(s) failed')
        sys.exit(1)
    print('hosting: all checks passed')


main()
