"""The manual's builder: code wrapping, options kept with their values, generated tables and
output examples, pictures, contents; and the PDF checks on a manual it builds."""

import os
import stat
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from unittest import mock
from pathlib import Path

import manual_html
from manual_html import (CONTINUATION, CONTINUATION_INDENT, ManualError, Pictures, build_html, expand_directives,
                         keep_options_together, option_groups, table_markdown, wrap_code_line)

import check_manual_pdf

HERE = Path(__file__).parent
FIXTURE = HERE / "fixture"
BUILDER = Path(manual_html.__file__).with_name("build_manual.py")


def write_png(path, width, height, texts=None):
    """A white PNG of that size, with text entries (key to text) if given."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    rows = b"".join(b"\0" + b"\xff" * (3 * width) for _ in range(height))
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    for key, text in (texts or {}).items():
        data += chunk(b"iTXt", key + b"\0\0\0\0\0" + text.encode("utf-8"))
    data += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
    path.write_bytes(data)


def unwrap(lines):
    """A wrapped code line put together again."""
    text = lines[0]
    for line in lines[1:]:
        assert text.endswith(CONTINUATION)
        text = text[:-len(CONTINUATION)] + " " + line.lstrip(" ")
    return text


class CodeLines(unittest.TestCase):
    def test_options_take_their_values(self):
        cases = [
            ("zavtool program --device MC68HC11E9 --in e9.zef --erase --program".split(),
             ["zavtool", "program", "--device MC68HC11E9", "--in e9.zef", "--erase", "--program"]),
            (["--quiet", "-"], ["--quiet -"]),
            (["--simulate=KA4", "file"], ["--simulate=KA4", "file"]),
            (["-", "x"], ["-", "x"]),
            (["--last"], ["--last"]),
        ]
        for words, groups in cases:
            with self.subTest(words=words):
                self.assertEqual(option_groups(words), groups)

    def test_long_lines_wrap_between_groups_with_a_continuation(self):
        lines = [
            "zavtool program --device MC68HC11E9 --in e9.zef --erase --program --verify --port LPT1 --delay 5",
            "    sudo setcap cap_sys_rawio+ep /usr/bin/zavprog && sudo setcap cap_sys_rawio+ep /usr/bin/zavtool x",
            "line 2 not read: com1=/dev/ttyUSB0 (NAME is one of LPT1 to LPT3 or COM1 to COM8, in capitals)",
            "X" * 130,
        ]
        for line in lines:
            for columns in (40, 60):
                with self.subTest(line=line, columns=columns):
                    wrapped = wrap_code_line(line, columns)
                    self.assertGreater(len(wrapped), 1)
                    self.assertTrue(all(len(piece) <= columns for piece in wrapped), wrapped)
                    self.assertTrue(all(piece.endswith(CONTINUATION) for piece in wrapped[:-1]))
                    self.assertFalse(wrapped[-1].endswith(CONTINUATION))
                    indent = line[:len(line) - len(line.lstrip())]
                    self.assertTrue(all(piece.startswith(indent + CONTINUATION_INDENT) for piece in wrapped[1:]))
                    if " " in line.strip():
                        self.assertEqual(unwrap(wrapped).split(), line.split())
                    for piece in wrapped:
                        words = piece.removesuffix(CONTINUATION).split()
                        self.assertFalse(words and words[-1] in ("--device", "--in", "--port", "--delay"),
                                         f"an option left without its value: {piece!r}")

    def test_short_lines_stay(self):
        self.assertEqual(wrap_code_line("LPT1=simulator", 40), ["LPT1=simulator"])
        self.assertEqual(wrap_code_line("", 40), [""])

    def test_inline_code_keeps_options_with_values_and_code_blocks_alone(self):
        body = ("<p><code>zavtool program --in e9.zef</code></p>"
                "<pre><code>zavtool program --in e9.zef</code></pre>")
        self.assertEqual(keep_options_together(body),
                         '<p><code><span class="nobreak">zavtool</span> <span class="nobreak">program</span> '
                         '<span class="nobreak">--in e9.zef</span></code></p>'
                         "<pre><code>zavtool program --in e9.zef</code></pre>")


class Generated(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.tool = Path(self.folder.name) / "zavtool"
        # Prints its arguments' effect: "devices" two tab-separated lines, "export" text
        # without a final newline in CR LF lines, anything else fails.
        self.tool.write_text('#!/bin/sh\n'
                             'case "$1" in\n'
                             '  devices) printf "A1\\tBoard\\tLPT\\t0000-00FF,0100-01FF\\nB2\\tOther\\tCOM\\t0300-03FF\\n" ;;\n'
                             '  export) printf "head={\\r\\n\\r\\n 0x01};" ;;\n'
                             '  *) echo "no such command" >&2; exit 2 ;;\n'
                             'esac\n')
        self.tool.chmod(self.tool.stat().st_mode | stat.S_IEXEC)

    def tearDown(self):
        self.folder.cleanup()

    def test_a_table_from_tab_separated_output(self):
        text = "Before\n\n<!-- table of zavtool devices with columns Device | Board | Port | Memory -->\n\nAfter\n"
        self.assertEqual(expand_directives(text, str(self.tool), self.folder.name),
                         "Before\n\n| Device | Board | Port | Memory |\n|---|---|---|---|\n"
                         "| A1 | Board | LPT | 0000-00FF, 0100-01FF |\n| B2 | Other | COM | 0300-03FF |\n\nAfter\n")

    def test_output_exactly_as_printed(self):
        text = "<!-- output of zavtool export example.bin --as c -->\n"
        self.assertEqual(expand_directives(text, str(self.tool), self.folder.name),
                         '<pre class="output"><code>head={\n\n 0x01};</code></pre>\n')

    def test_failures_are_named(self):
        with self.assertRaisesRegex(ManualError, "zavtool ports failed .*no such command"):
            expand_directives("<!-- output of zavtool ports -->", str(self.tool), self.folder.name)
        with self.assertRaisesRegex(ManualError, "cannot run /no/such/zavtool"):
            expand_directives("<!-- output of zavtool ports -->", "/no/such/zavtool", self.folder.name)
        with self.assertRaisesRegex(ManualError, "no --zavtool"):
            expand_directives("<!-- output of zavtool ports -->", None, self.folder.name)
        with self.assertRaisesRegex(ManualError, "3 columns for the 2 named"):
            table_markdown("A | B", "1\t2\t3\n")


class Document(unittest.TestCase):
    def pictures(self, drop=False):
        return Pictures(FIXTURE, 0.5, drop)

    def test_chapters_contents_and_pictures(self):
        pictures = self.pictures()
        texts = ["# One\n\n## Setup\n\n![A window](window.png)\n\n# Two\n\n## Setup\n", "# Three\n\nText.\n"]
        document = build_html(texts, "Title", "Sub", pictures)
        # Two chapters in one file, sections of the same name kept apart.
        for anchor in ("c1-one", "c1-setup", "c1-two", "c1-setup_1", "c2-three"):
            self.assertIn(f'id="{anchor}"', document)
            self.assertIn(f'href="#{anchor}"', document)
        self.assertIn('<figcaption>A window</figcaption>', document)
        self.assertIn('style="width: 120px"', document)  # the 240-pixel screenshot at 50 %
        self.assertEqual(pictures.missing, [])

    def test_missing_pictures(self):
        texts = ["# One\n\n![Gone](gone.png)\n"]
        with self.assertRaisesRegex(ManualError, "gone.png"):
            build_html(texts, "T", "S", self.pictures())
        pictures = self.pictures(drop=True)
        self.assertNotIn("Gone", build_html(texts, "T", "S", pictures).split("</nav>")[1])
        self.assertEqual(pictures.missing, ["gone.png"])

    def test_a_chapter_must_start_with_its_title(self):
        with self.assertRaisesRegex(ManualError, "chapter 2"):
            build_html(["# One\n", "Text without a title\n"], "T", "S", self.pictures())


class Fonts(unittest.TestCase):
    def test_a_missing_font_stops_the_build_and_names_its_package(self):
        import build_manual
        build_manual.check_fonts()
        with mock.patch.dict(build_manual.FONT_FAMILIES, {"No Such Family Sans": "fonts-none"}):
            with self.assertRaisesRegex(ManualError, "No Such Family Sans.*install fonts-none"):
                build_manual.check_fonts()


class Checks(unittest.TestCase):
    def test_duplicated_lines(self):
        source = "LPT1=simulator\nCOM1=simulator\nThe same words. The same words.\n| Key | Key |"
        cases = [
            (["LPT1=simulator", "COM1=simulator"], []),
            (["LPT1=simulator", "x", "LPT1=simulator"], ["LPT1=simulator"]),
            (["The same words.", "The same words."], []),
            (["Key", "Key", "Key"], ["Key"]),
            (["Getting started · 5", "Getting started · 6", "Getting started · 5"], []),
        ]
        for lines, duplicated in cases:
            with self.subTest(lines=lines):
                self.assertEqual(check_manual_pdf.duplicated_lines(lines, source), duplicated)

    def test_short_pages_only_at_a_chapter_end(self):
        cases = [
            ([3, 20, 20, 4], {0, 1}, []),
            ([3, 20, 4, 20], {0, 1}, [3]),
            ([3, 20, 4, 20], {0, 1, 3}, []),
            ([20, 7, 8], {0}, [2]),
        ]
        for counts, starts, short in cases:
            with self.subTest(counts=counts, starts=starts):
                self.assertEqual(check_manual_pdf.short_pages(counts, starts), short)

    def test_a_built_manual_passes_and_a_faulty_one_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            pdf, page = Path(folder) / "m.pdf", Path(folder) / "m.html"
            long_chapter = "# Long\n\n" + "\n\n".join(f"Paragraph {n} of the long chapter, written to fill pages "
                                                      "with lines of ordinary text." for n in range(120)) + "\n"
            (Path(folder) / "03-long.md").write_text(long_chapter)
            subprocess.run([sys.executable, str(BUILDER), "--output", str(pdf), "--html", str(page),
                            "--title", "Test Manual", "--subtitle", "Version 9", "--images", str(FIXTURE),
                            str(FIXTURE / "01-one.md"), str(FIXTURE / "02-two.md"), str(Path(folder) / "03-long.md")],
                           check=True)
            pages, problems = check_manual_pdf.check(str(pdf), str(page))
            self.assertEqual(problems, [])
            self.assertGreater(pages, 5)
            text = subprocess.run(["pdftotext", str(pdf), "-"], capture_output=True, text=True, check=True).stdout
            self.assertIn("LPT1=simulator", text)
            self.assertIn("A window of the program", text)

            # The same PDF against an HTML with one more chapter and one more contents entry.
            faulty = page.read_text().replace('<nav id="contents">', '<nav id="contents"><a href="#x">X</a>')
            faulty = faulty.replace("</body>", "<h1>Missing chapter</h1></body>")
            page.write_text(faulty)
            _, problems = check_manual_pdf.check(str(pdf), str(page))
            self.assertTrue(any("'Missing chapter'" in problem for problem in problems), problems)
            self.assertTrue(any("no link" in problem for problem in problems), problems)

    # A list run into the paragraph of a picture before it, that picture drawn at its full
    # width past the margin, and a window showing a temporary path.
    def test_a_list_set_as_text_a_wide_picture_and_a_temporary_path_are_caught(self):
        with tempfile.TemporaryDirectory() as folder:
            folder = Path(folder)
            write_png(folder / "wide.png", 1400, 60)
            write_png(folder / "temp.png", 200, 60,
                      {check_manual_pdf.PICTURE_TEXTS_KEY: "Read file complete\nBackup saved to /tmp/qt_temp-Ab1/x.s19"})
            write_png(folder / "home.png", 200, 60,
                      {check_manual_pdf.PICTURE_TEXTS_KEY: "Backup saved to ~/.local/share/zav/backups/x.s19"})
            chapter = folder / "01-faults.md"
            chapter.write_text("# Faults\n\n![Wide](wide.png)\n- First item\n- Second item\n\n"
                               "![Temporary](temp.png)\n\n![Home](home.png)\n\n    - a code line may start so\n")
            pdf, page = folder / "m.pdf", folder / "m.html"
            subprocess.run([sys.executable, str(BUILDER), "--output", str(pdf), "--html", str(page),
                            "--title", "T", "--subtitle", "S", "--images", str(folder), str(chapter)], check=True)
            _, problems = check_manual_pdf.check(str(pdf), str(page))
            self.assertEqual(len([p for p in problems if "list set as a paragraph" in p]), 1, problems)
            self.assertTrue(any("First item" in p for p in problems), problems)
            self.assertEqual(len([p for p in problems if "past the text block" in p]), 1, problems)
            temporary = [p for p in problems if "temporary path" in p]
            self.assertEqual(len(temporary), 1, problems)
            self.assertIn("temp.png", temporary[0])

    def test_temporary_paths_in_the_text(self):
        cases = [("Saved to /tmp/zav/x.bin", True), ("/var/tmp/a", True), ("qt_temp-XYZ", True),
                 ("~/.local/share/zav/backups", False), ("/home/u/tmp/x", False), ("a/tmp/b", False)]
        for line, temporary in cases:
            with self.subTest(line=line):
                self.assertEqual(bool(check_manual_pdf.temporary_paths([line], [])), temporary)


if __name__ == "__main__":
    unittest.main()
