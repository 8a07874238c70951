"""The user manual as one HTML document: Markdown chapters, generated tables and output
examples, pictures with captions, and the typographic care a printed page needs (code
lines wrapped with a visible continuation, options kept with their values)."""

import html
import re
import shlex
import struct
import subprocess
from dataclasses import dataclass, field
from pathlib import Path

import markdown

# Columns of a code block on the page: the text width (170 mm) less the block's padding,
# in DejaVu Sans Mono at the stylesheet's 8.5 pt (0.602 em a character).
CODE_COLUMNS = 86
# What ends a wrapped code line: a shell reads it as "the command goes on", so a copied
# command still works, and a reader sees at once that the line was broken.
CONTINUATION = " \\"
CONTINUATION_INDENT = "    "

# A whole line of a chapter that the build replaces with what zavtool prints.
#   <!-- output of zavtool ARGS -->                   the output, as a code block
#   <!-- table of zavtool ARGS with columns A | B -->  tab-separated output as a table
OUTPUT_DIRECTIVE = re.compile(r"^<!-- output of zavtool (?P<args>.+?) -->$", re.MULTILINE)
TABLE_DIRECTIVE = re.compile(r"^<!-- table of zavtool (?P<args>.+?) with columns (?P<columns>.+?) -->$",
                             re.MULTILINE)


class ManualError(Exception):
    """A manual that cannot be built as asked; the message says why."""


def option_groups(words):
    """Joins each option with the value that follows it (`--in e9.zef`), so a line break
    never falls between them; a word starting with '-' takes the next word unless that is
    an option itself ("-" alone is a value: standard input or output)."""
    groups = []
    index = 0
    while index < len(words):
        word = words[index]
        takes_value = (word.startswith("-") and len(word) > 1 and "=" not in word and index + 1 < len(words)
                       and (words[index + 1] == "-" or not words[index + 1].startswith("-")))
        if takes_value:
            groups.append(word + " " + words[index + 1])
            index += 2
        else:
            groups.append(word)
            index += 1
    return groups


def wrap_code_line(line, columns=CODE_COLUMNS):
    """Breaks a code line longer than `columns` between option groups. Every line but the
    last ends with the continuation mark, and each following line is indented; a group
    wider than a line is cut at the column, as nothing else fits."""
    if len(line) <= columns:
        return [line]
    indent = line[:len(line) - len(line.lstrip(" "))]
    limit = columns - len(CONTINUATION)
    lines = []
    prefix, current = indent, ""

    def cut_wider_than(width):
        nonlocal prefix, current
        while len(prefix + current) > width:
            cut = max(1, limit - len(prefix))
            lines.append(prefix + current[:cut] + CONTINUATION)
            prefix, current = indent + CONTINUATION_INDENT, current[cut:]

    for group in option_groups(line[len(indent):].split(" ")):
        if current and len(prefix + current + " " + group) > limit:
            cut_wider_than(limit)
            lines.append(prefix + current + CONTINUATION)
            prefix, current = indent + CONTINUATION_INDENT, ""
        current = current + " " + group if current else group
    cut_wider_than(columns)
    lines.append(prefix + current)
    return lines


def png_size(path):
    """Width and height of a PNG, from its header."""
    with open(path, "rb") as picture:
        header = picture.read(24)
    if len(header) < 24 or header[:8] != b"\x89PNG\r\n\x1a\n":
        raise ManualError(f"{path} is not a PNG picture")
    return struct.unpack(">II", header[16:24])


def run_zavtool(zavtool, args, folder):
    """What `zavtool ARGS` prints, run in `folder`; line ends as on Linux."""
    if zavtool is None:
        raise ManualError(f"the chapter asks for the output of zavtool {args}, but no --zavtool was given")
    try:
        result = subprocess.run([zavtool, *shlex.split(args)], cwd=folder, capture_output=True, text=True,
                                check=False)
    except OSError as error:
        raise ManualError(f"cannot run {zavtool}: {error.strerror}") from error
    if result.returncode != 0:
        raise ManualError(f"zavtool {args} failed ({result.returncode}): {result.stderr.strip()}")
    return result.stdout.replace("\r\n", "\n")


def table_markdown(columns, output):
    """A Markdown table of tab-separated lines; a cell's commas become line-breakable
    commas with a blank, so a list of ranges wraps between ranges."""
    names = [name.strip() for name in columns.split("|")]
    rows = ["| " + " | ".join(names) + " |", "|" + "---|" * len(names)]
    for line in output.splitlines():
        cells = [cell.replace(",", ", ") for cell in line.split("\t")]
        if len(cells) != len(names):
            raise ManualError(f"zavtool printed {len(cells)} columns for the {len(names)} named: {line!r}")
        rows.append("| " + " | ".join(cells) + " |")
    return "\n".join(rows)


def expand_directives(text, zavtool, folder):
    """Replaces the chapter's directive lines with what zavtool prints now."""
    def code_block(match):
        output = run_zavtool(zavtool, match.group("args"), folder)
        # The exact text, also when it does not end in a newline.
        return '<pre class="output"><code>' + html.escape(output) + "</code></pre>"

    def table(match):
        return table_markdown(match.group("columns"), run_zavtool(zavtool, match.group("args"), folder))

    return OUTPUT_DIRECTIVE.sub(code_block, TABLE_DIRECTIVE.sub(table, text))


@dataclass
class Heading:
    level: int
    text: str
    anchor: str


@dataclass
class Chapter:
    body: str
    headings: list = field(default_factory=list)


@dataclass
class Pictures:
    folder: Path
    scale: float
    drop_missing: bool
    missing: list = field(default_factory=list)


def convert_chapter(text, number):
    """One chapter's HTML and its headings, anchors unique across the manual."""
    def slugify(value, separator):
        words = re.sub(r"[^\w\s-]", "", value).strip().lower()
        return f"c{number}-" + re.sub(r"[\s_-]+", separator, words)

    converter = markdown.Markdown(extensions=["tables", "fenced_code", "toc"],
                                  extension_configs={"toc": {"slugify": slugify, "toc_depth": "1-3"}})
    body = converter.convert(text)
    headings = []

    def walk(tokens):
        for token in tokens:
            headings.append(Heading(token["level"], html.unescape(token["name"]), token["id"]))
            walk(token["children"])

    walk(converter.toc_tokens)
    return Chapter(body, headings)


def place_pictures(body, pictures):
    """Turns a paragraph that holds only a picture into a figure with the alt text as its
    caption, sized as the screenshot was on the screen."""
    pattern = re.compile(r'<p><img alt="(?P<alt>[^"]*)" src="(?P<src>[^"]+)" ?/?></p>')

    def figure(match):
        path = pictures.folder / html.unescape(match.group("src"))
        if not path.is_file():
            pictures.missing.append(match.group("src"))
            return ""
        width, _ = png_size(path)
        return (f'<figure><img src="{html.escape(path.resolve().as_uri())}" alt="{match.group("alt")}" '
                f'style="width: {width * pictures.scale:.0f}px"/>'
                f'<figcaption>{match.group("alt")}</figcaption></figure>')

    return pattern.sub(figure, body)


def keep_options_together(body):
    """Inline code: each option with its value, and each other word, in a span that does
    not break, so `--in e9.zef` never becomes `--` / `in e9.zef` at a line end. Code
    blocks are left as they are."""
    def spans(match):
        words = html.unescape(match.group(1)).split(" ")
        groups = [f'<span class="nobreak">{html.escape(group, quote=False)}</span>' for group in option_groups(words)]
        return "<code>" + " ".join(groups) + "</code>"

    pieces = re.split(r"(<pre[ >].*?</pre>)", body, flags=re.DOTALL)
    return "".join(piece if piece.startswith("<pre") else re.sub(r"<code>([^<]*)</code>", spans, piece)
                   for piece in pieces)


def wrap_code_blocks(body):
    def wrapped(match):
        text = html.unescape(match.group("code"))
        lines = [piece for line in text.split("\n") for piece in wrap_code_line(line)]
        return match.group("open") + html.escape("\n".join(lines), quote=False) + "</code></pre>"

    return re.sub(r'(?P<open><pre(?: class="[^"]*")?><code(?: class="[^"]*")?>)(?P<code>.*?)</code></pre>', wrapped,
                  body, flags=re.DOTALL)


def contents_html(chapters):
    """Chapters and their sections, in order; a chapter file may hold more than one chapter."""
    items = []
    for heading in (h for chapter in chapters for h in chapter.headings if h.level <= 2):
        link = f'<a href="#{heading.anchor}">{html.escape(heading.text)}</a>'
        if heading.level == 1:
            items.append([f'<li class="chapter">{link}', []])
        else:
            items[-1][1].append(f'<li class="section">{link}</li>')
    entries = "".join(top + (f"<ul>{''.join(sections)}</ul>" if sections else "") + "</li>" for top, sections in items)
    return f'<nav id="contents"><h1 class="contents-title">Contents</h1><ul>{entries}</ul></nav>'


def build_html(chapter_texts, title, subtitle, pictures, zavtool=None, folder="."):
    """The whole manual: title page, contents, chapters. `chapter_texts` are the Markdown
    files' texts in order; each must start with a level-1 heading."""
    chapters = []
    for number, text in enumerate(chapter_texts, start=1):
        chapter = convert_chapter(expand_directives(text, zavtool, folder), number)
        if not chapter.headings or chapter.headings[0].level != 1:
            raise ManualError(f"chapter {number} does not start with a level-1 heading (# Title)")
        body = wrap_code_blocks(keep_options_together(place_pictures(chapter.body, pictures)))
        chapters.append(Chapter(body, chapter.headings))
    if pictures.missing and not pictures.drop_missing:
        raise ManualError(f"pictures missing from {pictures.folder}: {', '.join(pictures.missing)}")
    sections = "".join(f'<section class="chapter">{chapter.body}</section>' for chapter in chapters)
    return ("<!DOCTYPE html>\n"
            f'<html lang="en"><head><meta charset="utf-8"><title>{html.escape(title)}</title></head><body>'
            f'<section class="title-page"><p class="title">{html.escape(title)}</p>'
            f'<p class="subtitle">{html.escape(subtitle)}</p></section>'
            + contents_html(chapters) + sections + "</body></html>\n")
