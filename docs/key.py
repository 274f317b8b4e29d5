#!/usr/bin/python3
"""The English key and how to play, written once: the README's sections
"Playing" and "The texts in English", which the web page shows and the
manual page prints.

    key.py html README OUT            the two sections as HTML, for the page
    key.py man README TEMPLATE OUT    the manual page: TEMPLATE with its line
                                      MARK replaced by the two sections

The README is read by Python-Markdown; the manual's part is written from
the HTML it gives.
"""

import sys
from xml.etree import ElementTree

import markdown

FIRST = '## Playing'
LAST = '## The texts in English'
MARK = '.\\" The README\'s sections on playing and on the texts in English go here.'


def sections(readme):
    """The two sections of the README, headings included."""
    text = open(readme, encoding='utf-8').read()
    start = text.index(f'\n{FIRST}\n')
    last = text.index(f'\n{LAST}\n', start)
    end = text.find('\n## ', last + 1)
    return text[start:end if end >= 0 else len(text)]


def html(readme):
    return markdown.markdown(sections(readme), extensions=['tables'])


def inline(element):
    """An element's text as roff reads it, bold for the README's bold and
    code, on one line."""
    def text(piece):
        return (piece or '').replace('\\', '\\e')

    def run(element):
        out = text(element.text)
        for child in element:
            out += f'\\fB{run(child)}\\fR' if child.tag in ('strong', 'code') else run(child)
            out += text(child.tail)
        return out

    return ' '.join(run(element).split())


def line(text):
    """One text line: a leading dot or quote would read as a request."""
    return '\\&' + text if text[:1] in ('.', "'") else text


def roff(readme):
    """The two sections as manual page requests: each heading a section,
    each list item a bulleted paragraph, each row of a table a tagged
    paragraph (where, then the text as shown and in English)."""
    tree = ElementTree.fromstring(f'<div>{html(readme)}</div>')
    out = ['.ad l']  # Japanese text is not justified
    for block in tree:
        if block.tag == 'h2':
            out += ['.SH ' + inline(block).upper()]
        elif block.tag == 'p':
            out += ['.PP', line(inline(block))]
        elif block.tag == 'ul':
            for item in block:
                out += ['.IP \\(bu 2', line(inline(item))]
        elif block.tag == 'table':
            for row in block.iter('tr'):
                cells = [inline(cell) for cell in row if cell.tag == 'td']
                if cells:
                    out += ['.TP', line(cells[0]), line(cells[1]), '.br', line(cells[2])]
        else:
            raise SystemExit(f'key.py: no manual page form for the README\'s <{block.tag}>')
    return '\n'.join(out + ['.ad b']) + '\n'


def main():
    if len(sys.argv) == 4 and sys.argv[1] == 'html':
        _, _, readme, out = sys.argv
        open(out, 'w', encoding='utf-8').write(html(readme) + '\n')
    elif len(sys.argv) == 5 and sys.argv[1] == 'man':
        _, _, readme, template, out = sys.argv
        page = open(template, encoding='utf-8').read()
        if f'\n{MARK}\n' not in page:
            raise SystemExit(f'key.py: {template} has no line {MARK}')
        open(out, 'w', encoding='utf-8').write(page.replace(f'\n{MARK}\n', '\n' + roff(readme)))
    else:
        raise SystemExit('usage: key.py html README OUT | key.py man README TEMPLATE OUT')


if __name__ == '__main__':
    main()
