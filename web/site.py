#!/usr/bin/python3
"""Puts the web page's static site together.

    site.py --page DIR --core DIR --test-core DIR --pictures DIR --facts DIR
            --fonts DIR --key FILE --licence NAME=FILE... --out DIR --out-test DIR

Writes OUT: the page and its script and style, the game's WebAssembly, the
pictures as the desktop shows them, the icon (PICTURES/icons), the fonts,
the English key (KEY, the README's, as HTML), the licences, a web app
manifest and a service worker that keeps what the game needs. OUT-TEST is the same site with the tests' build of the
game, which lets a test play a scenario line by line.
"""

import argparse
import hashlib
import html
import json
import pathlib
import shutil


def licences(out, sources):
    """The licences of what the site ships (the fonts' beside the fonts),
    with a note saying which is which and how to put the original fonts
    back. NAME is where each goes in the site."""
    for name, source in sources.items():
        (out / name).parent.mkdir(exist_ok=True)
        shutil.copyfile(source, out / name)
    links = ' '.join(f'<a href="{html.escape(n)}">{html.escape(n)}</a>' for n in sorted(sources)
                     if not n.endswith('README.txt'))
    return f'<h2>Licences</h2>\n<p>{links} (<a href="licences/README.txt">which is which</a>)</p>'


def shipped(script):
    """A script as the site ships it: a line that is only a comment goes
    out empty. The comments are for whoever reads the source; without them
    a first visit downloads a sixth less of the page's script, and every
    line keeps its number for an error's report. (No string in the scripts
    spans lines, so none can hold such a line.)"""
    return ''.join('\n' if line.lstrip().startswith('//') else line
                   for line in script.splitlines(keepends=True))


def write_site(args, out, core):
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    page = pathlib.Path(args.page)
    facts = pathlib.Path(args.facts)
    layout = json.loads((facts / 'layout.json').read_text(encoding='utf-8'))

    # The style and the page's modules; the service worker is written below.
    shutil.copyfile(page / 'style.css', out / 'style.css')
    for script in sorted(p for p in page.glob('*.js') if p.name != 'sw.js'):
        (out / script.name).write_text(shipped(script.read_text(encoding='utf-8')), encoding='utf-8')
    (out / 'layout.js').write_text('// The game\'s tables and words, written at build time from its own: do not edit.\n'
                                   'export default ' + json.dumps(layout, ensure_ascii=False) + ';\n',
                                   encoding='utf-8')
    for name in ('vesmor-core.js', 'vesmor-core.wasm'):
        shutil.copyfile(pathlib.Path(core) / name, out / name)

    pictures = out / 'pictures'
    pictures.mkdir()
    used = {'decorations', 'icon'}
    for table in (layout['controls'], layout['about']['controls'], layout['help']['controls']):
        used.update(c['picture'] for c in table if c['picture'])
    for name in sorted(used):
        shutil.copyfile(pathlib.Path(args.pictures) / f'{name}.png', pictures / f'{name}.png')

    icons = out / 'icons'
    shutil.copytree(pathlib.Path(args.pictures) / 'icons', icons)
    manifest_icons = []
    for png in sorted(icons.glob('*-*x*.png'), key=lambda p: (p.stem.split('-')[0], int(p.stem.split('x')[1]))):
        kind, size = png.stem.split('-')
        manifest_icons.append({'src': f'icons/{png.name}', 'sizes': size, 'type': 'image/png',
                               'purpose': 'maskable' if kind == 'maskable' else 'any'})
    manifest_icons.append({'src': 'icons/icon.svg', 'sizes': 'any', 'type': 'image/svg+xml'})

    fonts = out / 'fonts'
    fonts.mkdir()
    for font in pathlib.Path(args.fonts).iterdir():
        if font.suffix in ('.woff2', '.css'):
            shutil.copyfile(font, fonts / font.name)

    manifest = {
        'name': layout['applicationTitle'],
        'short_name': layout['applicationTitle'],
        'description': 'Walk out of a maze before the night falls.',
        'lang': 'ja',
        'start_url': './',
        'scope': './',
        'display': 'standalone',
        'background_color': '#808080',
        'theme_color': '#000080',
        'icons': manifest_icons,
    }
    (out / 'manifest.webmanifest').write_text(json.dumps(manifest, ensure_ascii=False, indent=1) + '\n',
                                              encoding='utf-8')

    licence_files = dict(licence.split('=', 1) for licence in args.licence)
    notes = licences(out, licence_files)
    index = (page / 'index.html').read_text(encoding='utf-8')
    index = index.replace('@TITLE@', html.escape(layout['mainTitle']))
    index = index.replace('@FONTS@', '\n'.join(
        f'<link rel="preload" href="fonts/{font.name}" as="font" type="font/woff2" crossorigin>'
        for font in sorted(fonts.glob('*.woff2'))))
    key = pathlib.Path(args.key).read_text(encoding='utf-8').strip()
    index = index.replace('@KEY@', f'<section>\n{key}\n{notes}\n</section>')
    (out / 'index.html').write_text(index, encoding='utf-8')

    # The service worker keeps every file but the licences and the app's
    # icons, each with its digest, under a version made from them all. The
    # browser fetches the icons itself when it installs the app.
    files = sorted(str(p.relative_to(out)) for p in out.rglob('*') if p.is_file())
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b'\0' + (out / name).read_bytes())
    kept = {name: hashlib.sha256((out / name).read_bytes()).hexdigest() for name in files
            if name not in licence_files and not name.startswith('icons/')}
    worker = shipped((page / 'sw.js').read_text(encoding='utf-8'))
    worker = worker.replace('@VERSION@', digest.hexdigest()[:16])
    worker = worker.replace('@FILES@', json.dumps({'./': kept['index.html'], **kept}, indent=1))
    (out / 'sw.js').write_text(worker, encoding='utf-8')


def main():
    parser = argparse.ArgumentParser()
    for option in ('page', 'core', 'test-core', 'pictures', 'facts', 'fonts', 'key', 'out', 'out-test'):
        parser.add_argument(f'--{option}', required=True)
    parser.add_argument('--licence', action='append', required=True)
    args = parser.parse_args()
    write_site(args, pathlib.Path(args.out), args.core)
    write_site(args, pathlib.Path(args.out_test), args.test_core)


if __name__ == '__main__':
    main()
