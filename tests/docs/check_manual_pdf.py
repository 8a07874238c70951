#!/usr/bin/python3
"""Checks the user manual's PDF as a reader meets it:
  - its text holds no line more often than the HTML it was set from (a paragraph drawn on
    two pages, a cell repeated after a page break);
  - every chapter is a bookmark;
  - every entry of the contents is a link to the page its heading is on, and says that page;
  - no page holds fewer than MIN_LINES lines of text unless it ends a chapter.

  check_manual_pdf.py MANUAL.pdf MANUAL.html
"""

import html
import re
import subprocess
import sys
from html.parser import HTMLParser

import pypdf

MIN_LINES = 8


class _Text(HTMLParser):
    """The HTML's text, and its level-1 headings (the chapters) and contents entries."""

    def __init__(self):
        super().__init__()
        self.pieces = []
        self.chapters = []
        self.contents_links = []
        self._in_h1 = False
        self._in_nav = False
        self._h1 = ""

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "nav":
            self._in_nav = True
        if tag == "a" and self._in_nav and attributes.get("href", "").startswith("#"):
            self.contents_links.append(attributes["href"][1:])
        if tag == "h1" and "contents-title" not in (attributes.get("class") or ""):
            self._in_h1, self._h1 = True, ""
        if tag in ("p", "li", "td", "th", "h1", "h2", "h3", "pre", "figcaption", "br", "tr"):
            self.pieces.append("\n")

    def handle_endtag(self, tag):
        if tag == "nav":
            self._in_nav = False
        if tag == "h1" and self._in_h1:
            self._in_h1 = False
            self.chapters.append(" ".join(self._h1.split()))

    def handle_data(self, data):
        self.pieces.append(data)
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
