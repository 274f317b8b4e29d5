#!/usr/bin/python3
"""Cuts the fonts the web page carries from Debian's font packages.

    fonts.py FONTS_JSON OUTDIR

FONTS_JSON (written by vesmor-web-facts from the game's table of stand-in
fonts) gives, for each face the game names, the font that stands in for it
(the desktop's first choice) with its files, and style by style every
character the page can show in it. Each font is cut down to those
characters and written as WOFF2 into OUTDIR, with OUTDIR/fonts.css
declaring every face under the game's own name. The cut fonts are renamed,
as their licences ask of a changed font: they carry neither "IPA" nor
"Liberation" in their names.
"""

import json
import logging
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# A stand-in with one file serves every style from it (the browser thickens
# and slants it, as the desktop does); one with a file per style takes each.
STYLE_NAMES = {'regular': 'Regular', 'bold': 'Bold', 'italic': 'Italic', 'bolditalic': 'Bold Italic'}
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
    fonts_file, out_dir = sys.argv[1:3]
    out = pathlib.Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    wanted = json.loads(pathlib.Path(fonts_file).read_text(encoding='utf-8'))

    # Every file with all that is asked of it, by whichever face.
    files = {}
    rules = []
    for face, stand_in in wanted.items():
        one_file = len(stand_in['files']) == 1
        for style, characters in stand_in['styles'].items():
            key = 'any' if one_file else style
            name = stand_in['name'].lower() + ('' if key in ('any', 'regular') else f'-{key}')
            source = stand_in['files']['regular' if one_file else style]
            cut_style = STYLE_NAMES['regular' if one_file else style]
            files.setdefault(name, [source, set(), stand_in['name'], cut_style])[1].update(characters)
            rules.append((face, key, name))
    for name, (source, characters, family, style) in sorted(files.items()):
        cut(source, ''.join(sorted(characters)), out / f'{name}.woff2', family, style)

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
