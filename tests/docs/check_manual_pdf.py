#!/usr/bin/python3
"""Checks the user manual's PDF as a reader meets it:
  - its text holds no line more often than the HTML it was set from (a paragraph drawn on
    two pages, a cell repeated after a page break);
  - every chapter is a bookmark;
  - every entry of the contents is a link to the page its heading is on, and says that page;
  - no page holds fewer than MIN_LINES lines of text unless it ends a chapter;
  - no line outside a code block starts with "- " (a list the Markdown took for a paragraph);
  - no picture reaches past the text block's right edge;
  - no temporary path shows, in the text or in a picture (the screenshot program keeps the
    texts of each window it takes in its PNG file).

  check_manual_pdf.py MANUAL.pdf MANUAL.html
"""

import html
import re
import struct
import subprocess
import sys
import zlib
from html.parser import HTMLParser
from pathlib import Path
from urllib.parse import unquote, urlparse

import pypdf

MIN_LINES = 8
# The stylesheet's left and right page margins, in points (20 mm), and how far a picture
# may reach past them through rounding.
PAGE_MARGIN = 20 / 25.4 * 72
MARGIN_TOLERANCE = 1.0
# A path into the system's temporary folders, as a build's or a test's files have.
TEMPORARY_PATH = re.compile(r"(?<![\w.~-])/(?:var/)?tmp/|qt_temp")
# The PNG text entry the screenshot program writes the window's texts into.
PICTURE_TEXTS_KEY = b"zav:texts"


class _Text(HTMLParser):
    """The HTML's text, and its level-1 headings (the chapters) and contents entries."""

    def __init__(self):
        super().__init__()
        self.pieces = []
        self.chapters = []
        self.contents_links = []
        self.pictures = []
        self.code = []
        self._in_pre = False
        self._in_h1 = False
        self._in_nav = False
        self._h1 = ""

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "nav":
            self._in_nav = True
        if tag == "a" and self._in_nav and attributes.get("href", "").startswith("#"):
            self.contents_links.append(attributes["href"][1:])
        if tag == "img" and attributes.get("src"):
            self.pictures.append(attributes["src"])
        if tag == "pre":
            self._in_pre = True
        if tag == "h1" and "contents-title" not in (attributes.get("class") or ""):
            self._in_h1, self._h1 = True, ""
        if tag in ("p", "li", "td", "th", "h1", "h2", "h3", "pre", "figcaption", "br", "tr"):
            self.pieces.append("\n")

    def handle_endtag(self, tag):
        if tag == "pre":
            self._in_pre = False
        if tag == "nav":
            self._in_nav = False
        if tag == "h1" and self._in_h1:
            self._in_h1 = False
            self.chapters.append(" ".join(self._h1.split()))

    def handle_data(self, data):
        self.pieces.append(data)
        if self._in_pre:
            self.code.append(data)
        if self._in_h1:
            self._h1 += data


def read_html(path):
    parser = _Text()
    with open(path, encoding="utf-8") as source:
        parser.feed(source.read())
    return parser


def normalized(text):
    return " ".join(text.split())


def duplicated_lines(pdf_lines, source_text):
    """Lines the PDF has more often than the source text has them (as text anywhere)."""
    source = normalized(source_text)
    counts = {}
    for line in pdf_lines:
        line = normalized(line)
        if line:
            counts[line] = counts.get(line, 0) + 1
    return sorted(line for line, count in counts.items()
                  if count > 1 and 0 < source.count(line) < count)


def page_texts(pdf_path, pages):
    texts = []
    for page in range(1, pages + 1):
        texts.append(subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf_path, "-"],
                                    capture_output=True, text=True, check=True).stdout)
    return texts


def outline_entries(reader):
    """(level, title, page index) of every bookmark, in order."""
    entries = []

    def walk(items, level):
        for item in items:
            if isinstance(item, list):
                walk(item, level + 1)
            else:
                entries.append((level, normalized(item.title), reader.get_destination_page_number(item)))

    walk(reader.outline, 1)
    return entries


def contents_link_targets(reader, contents_pages):
    """The named destinations the contents pages link to, in order, each once."""
    targets = []
    for index in contents_pages:
        for annotation in reader.pages[index].get("/Annots", []) or []:
            annotation = annotation.get_object()
            if annotation.get("/Subtype") != "/Link" or "/Dest" not in annotation:
                continue
            name = str(annotation["/Dest"])
            if not targets or targets[-1] != name:
                targets.append(name)
    return targets


def short_pages(line_counts, section_starts):
    """1-based pages with fewer than MIN_LINES lines that do not end a section (the page
    after them starts a new one, or they are the last)."""
    short = []
    for index, count in enumerate(line_counts):
        ends_section = index + 1 == len(line_counts) or (index + 1) in section_starts
        if count < MIN_LINES and not ends_section:
            short.append(index + 1)
    return short


def text_lines(page_text):
    """A page's lines of text, without its running footer (its last line)."""
    lines = [line for line in page_text.splitlines() if line.strip()]
    return lines[:-1] if lines else lines


def dash_lines(pdf_lines, code_text):
    """Lines that start with "- " and are not a code block's: a list set as a paragraph."""
    code = {normalized(line) for line in code_text.splitlines()}
    return [line.strip() for line in pdf_lines if line.lstrip().startswith("- ") and normalized(line) not in code]


def wide_pictures(reader):
    """(1-based page, right edge in points) of every picture that reaches past the text block."""
    found = []
    for index, page in enumerate(reader.pages):
        right_edge = float(page.mediabox.width) - PAGE_MARGIN + MARGIN_TOLERANCE
        edges = []

        def visit(operator, operands, matrix, _text_matrix):
            if operator == b"Do":
                edges.append(matrix[4] + abs(matrix[0]))

        page.extract_text(visitor_operand_before=visit)
        found.extend((index + 1, round(edge)) for edge in edges if edge > right_edge)
    return found


def png_texts(path):
    """The text entries of a PNG file (plain, compressed or international), key to text."""
    entries = {}
    data = Path(path).read_bytes()
    position = 8
    while position + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        key, _, rest = body.partition(b"\0")
        if kind == b"tEXt":
            entries[key] = rest.decode("latin-1")
        elif kind == b"zTXt":
            entries[key] = zlib.decompress(rest[1:]).decode("latin-1")
        elif kind == b"iTXt":
            compressed = rest[:1] == b"\1"
            # After the compression flag and method: the language and the translated key.
            text = rest[2:].split(b"\0", 2)[-1]
            entries[key] = (zlib.decompress(text) if compressed else text).decode("utf-8", "replace")
        position += 12 + length
    return entries


def picture_path(source):
    parsed = urlparse(source)
    return Path(unquote(parsed.path)) if parsed.scheme in ("", "file") else None


def temporary_paths(pdf_lines, picture_sources):
    """Where a temporary path shows: text lines, and pictures whose window showed one."""
    found = [f"text: {line.strip()!r}" for line in pdf_lines if TEMPORARY_PATH.search(line)]
    for source in picture_sources:
        path = picture_path(source)
        if path is None or not path.is_file():
            continue
        for line in png_texts(path).get(PICTURE_TEXTS_KEY, "").splitlines():
            if TEMPORARY_PATH.search(line):
                found.append(f"picture {path.name}: {line.strip()!r}")
    return found


def check(pdf_path, html_path):
    problems = []
    source = read_html(html_path)
    reader = pypdf.PdfReader(pdf_path)
    texts = page_texts(pdf_path, len(reader.pages))

    all_lines = [line for text in texts for line in text_lines(text)]
    for line in duplicated_lines(all_lines, html.unescape("".join(source.pieces))):
        problems.append(f"line printed more often than the manual has it: {line!r}")

    outline = outline_entries(reader)
    chapter_bookmarks = [title for level, title, _ in outline if level == 1]
    for chapter in source.chapters:
        if chapter not in chapter_bookmarks:
            problems.append(f"chapter without a bookmark: {chapter!r}")

    destinations = {str(name): reader.get_destination_page_number(destination)
                    for name, destination in reader.named_destinations.items()}
    contents_pages = sorted({page for level, title, page in outline if title == "Contents"})
    first_chapter = min((page for level, title, page in outline if level == 1 and title != "Contents"),
                        default=len(reader.pages))
    contents_pages = list(range(contents_pages[0], first_chapter)) if contents_pages else []
    targets = contents_link_targets(reader, contents_pages)
    if targets != source.contents_links:
        missing = [anchor for anchor in source.contents_links if anchor not in targets]
        problems.append(f"contents entries that are no link: {missing or 'order differs'}")
    contents_lines = [line for page in contents_pages for line in text_lines(texts[page])]
    printed = [int(match.group(1)) for match in (re.search(r"(\d+)\s*$", line) for line in contents_lines) if match]
    linked = [destinations.get(target, -1) + 1 for target in targets]
    if printed != linked:
        problems.append(f"contents page numbers {printed} differ from the pages linked {linked}")

    for line in dash_lines(all_lines, "".join(source.code)):
        problems.append(f"a list set as a paragraph (a line starts with \"- \"): {line!r}")
    for page, edge in wide_pictures(reader):
        problems.append(f"page {page}: a picture reaches {edge} pt, past the text block's right edge")
    for where in temporary_paths(all_lines, source.pictures):
        problems.append(f"a temporary path shows in the manual, {where}")

    starts = {page for level, _, page in outline if level == 1} | {0}
    for page in short_pages([len(text_lines(text)) for text in texts], starts):
        problems.append(f"page {page} holds fewer than {MIN_LINES} lines and ends no chapter")

    return len(reader.pages), problems


def main():
    if len(sys.argv) != 3:
        print("usage: check_manual_pdf.py MANUAL.pdf MANUAL.html", file=sys.stderr)
        return 2
    pages, problems = check(sys.argv[1], sys.argv[2])
    for problem in problems:
        print(f"FAIL: {problem}")
    print(f"{sys.argv[1]}: {pages} pages, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
