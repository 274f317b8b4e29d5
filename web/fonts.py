#!/usr/bin/python3
"""Cuts the fonts the web page carries from Debian's font packages.

    fonts.py CHARS_JSON OUTDIR

CHARS_JSON (written by vesmor-web-facts) lists, for each face the game
names and each style, every character the page can show in it. Each face is
cut down to those characters from the font the desktop game would use for it
and written as WOFF2 into OUTDIR, with OUTDIR/fonts.css declaring every face
under the game's own name. The cut fonts are renamed, as their licences ask
of a changed font: they carry neither "IPA" nor "Liberation" in their names.
"""

import json
import logging
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

IPA = pathlib.Path('/usr/share/fonts/opentype/ipafont-gothic')
LIBERATION = pathlib.Path('/usr/share/fonts/truetype/liberation2')

# The same stand-ins as the desktop's: a face with one file serves every
# style (the browser thickens and slants it, as the desktop does); a face
# with a file per style takes each.
SERIF = {
    'regular': (LIBERATION / 'LiberationSerif-Regular.ttf', 'serif'),
    'bold': (LIBERATION / 'LiberationSerif-Bold.ttf', 'serif-bold'),
    'italic': (LIBERATION / 'LiberationSerif-Italic.ttf', 'serif-italic'),
    'bolditalic': (LIBERATION / 'LiberationSerif-BoldItalic.ttf', 'serif-bolditalic'),
}
FACES = {
    'ＭＳ Ｐゴシック': {'any': (IPA / 'ipagp.ttf', 'pgothic')},
    'ＭＳ ゴシック': {'any': (IPA / 'ipag.ttf', 'gothic')},
    'MS Serif': SERIF,
    'Times New Roman': SERIF,
}
# Each file's own name inside it.
NAMED = {
    'pgothic': ('PGothic', 'Regular'),
    'gothic': ('Gothic', 'Regular'),
    'serif': ('Serif', 'Regular'),
    'serif-bold': ('Serif', 'Bold'),
    'serif-italic': ('Serif', 'Italic'),
    'serif-bolditalic': ('Serif', 'Bold Italic'),
}
WEIGHT = {'regular': 'normal', 'bold': 'bold', 'italic': 'normal', 'bolditalic': 'bold'}
SLANT = {'regular': 'normal', 'bold': 'normal', 'italic': 'italic', 'bolditalic': 'italic'}
# The name table entries that name the font; the copyright, the licence and
# its address stay as they are.
NAMES = (1, 3, 4, 6, 16, 17, 18, 21, 22)


def rename(font, family, style):
    table = font['name']
    kept = [n for n in table.names if n.nameID not in NAMES]
    table.names = kept
    full = f'Vesmor {family}' + ('' if style == 'Regular' else f' {style}')
    for name_id, text in ((1, f'Vesmor {family}'), (2, style), (3, f'{full}; cut for the Vesmor web page'),
                          (4, full), (6, full.replace(' ', '-'))):
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)


def cut(source, characters, out, family, style):
    options = subset.Options()
    options.flavor = 'woff2'
    options.layout_features = ['*']
    options.name_IDs = ['*']
    options.notdef_outline = True
    options.hinting = True
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    rename(font, family, style)
    font.flavor = 'woff2'
    font.save(out)


def main():
    logging.getLogger('fontTools').setLevel(logging.ERROR)  # not every table it drops is news
    chars_file, out_dir = sys.argv[1:3]
    out = pathlib.Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    wanted = json.loads(pathlib.Path(chars_file).read_text(encoding='utf-8'))

    # Every file with all that is asked of it, by whichever face.
    files = {}
    rules = []
    for face, styles in wanted.items():
        stand_ins = FACES[face]
        for style, characters in styles.items():
            key = 'any' if 'any' in stand_ins else style
            source, name = stand_ins[key]
            files.setdefault(name, [source, set()])[1].update(characters)
            rules.append((face, key, name))
    for name, (source, characters) in sorted(files.items()):
        cut(source, ''.join(sorted(characters)), out / f'{name}.woff2', *NAMED[name])

    css = ['/* The game\'s faces, cut to the characters it shows (written by fonts.py). */']
    for face, key, name in sorted(set(rules)):
        css.append('@font-face {')
        css.append(f'  font-family: "{face}";')
        css.append(f'  src: url("{name}.woff2") format("woff2");')
        if key != 'any':
            css.append(f'  font-weight: {WEIGHT[key]};')
            css.append(f'  font-style: {SLANT[key]};')
        css.append('  font-display: block;')
        css.append('}')
    (out / 'fonts.css').write_text('\n'.join(css) + '\n', encoding='utf-8')


if __name__ == '__main__':
    main()
