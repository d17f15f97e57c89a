#!/usr/bin/env python3
"""Makes the zip's README.txt from README.md, so that the user's read-me has one source.

Usage: readme-text.py README.md OUT VERSION HOME COMMIT

Takes the parts of README.md between "<!-- readme.txt -->" and "<!-- /readme.txt -->", in order,
and writes them as plain text for Notepad: CR LF line ends, no Markdown marks (headings become
underlined lines, pictures are left out, emphasis, code marks and link targets dropped, fenced
blocks indented), with "<version>" replaced by the version. A title with the version, the
project's home and the commit the release was built from come first.
"""
import re
import sys

BEGIN, END = '<!-- readme.txt -->', '<!-- /readme.txt -->'


def user_lines(markdown):
    """The lines of README.md's user sections, one blank line between two sections."""
    lines, inside = [], False
    for line in markdown.splitlines():
        if line.strip() == BEGIN:
            inside = True
            if lines and lines[-1]:
                lines.append('')
        elif line.strip() == END:
            inside = False
        elif inside:
            lines.append(line)
    if inside or not lines:
        sys.exit(f'README has no closed "{BEGIN}" ... "{END}" section')
    return lines


def inline_text(line):
    line = re.sub(r'!?\[([^\]]*)\]\([^)]*\)', r'\1', line)  # links keep their text
    # Emphasis may span two lines, so its marks go one by one.
    return line.replace('**', '').replace('`', '')


def plain_text(lines, version):
    out, fenced = [], False
    for line in lines:
        if line.startswith('```'):
            fenced = not fenced
            continue
        if fenced:
            out.append('    ' + line)
            continue
        if re.fullmatch(r'\s*!\[[^\]]*\]\([^)]*\)\s*', line):
            continue  # a picture: Notepad cannot show it
        heading = re.fullmatch(r'#+\s+(.*)', line)
        if heading:
            title = inline_text(heading.group(1))
            out += [title, '-' * len(title)]
            continue
        out.append(inline_text(line))
    text = '\n'.join(out).replace('<version>', version)
    return re.sub(r'\n{3,}', '\n\n', text).strip('\n')


def main(source, target, version, home, commit):
    with open(source, encoding='utf-8') as f:
        body = plain_text(user_lines(f.read()), version)
    title = f'Orvane {version}'
    text = f'{title}\n{"=" * len(title)}\n\nHome: {home}\nBuilt from commit {commit}\n\n{body}\n'
    # Windows-1252 is what older Notepads assume for a file without a byte-order mark.
    with open(target, 'w', encoding='cp1252', newline='\r\n') as f:
        f.write(text)


if __name__ == '__main__':
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
