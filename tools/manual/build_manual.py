#!/usr/bin/python3
"""Builds the user manual's PDF: the Markdown chapters become one HTML document, which
WeasyPrint sets in pages with the print stylesheet.

  build_manual.py --output PDF [--html FILE] --title TEXT --subtitle TEXT --images FOLDER
                  [--image-scale S] [--drop-missing-images] [--zavtool PROGRAM] CHAPTER.md...
"""

import argparse
import subprocess
import sys
import tempfile
from pathlib import Path

from manual_html import ManualError, Pictures, build_html

STYLESHEET = Path(__file__).with_name("manual.css")
# The families the stylesheet names. Checked before setting a page, so a missing font
# stops the build instead of silently changing every line break and the page count.
FONT_FAMILIES = {"DejaVu Serif": "fonts-dejavu-core", "DejaVu Sans": "fonts-dejavu-core",
                 "DejaVu Sans Mono": "fonts-dejavu-core", "DejaVu Serif:style=Italic": "fonts-dejavu-extra"}
# The bytes of example.bin, the file the chapters' zavtool examples work on.
EXAMPLE_BYTES = bytes([0x01, 0x02, 0x03, 0x04])


def check_fonts():
    for pattern, package in FONT_FAMILIES.items():
        family, _, style = pattern.partition(":style=")
        found = subprocess.run(["fc-list", f"{family}:style={style or 'Book'}", "family"],
                               capture_output=True, text=True, check=False).stdout
        names = {name.strip() for line in found.splitlines() for name in line.split(",")}
        if family not in names:
            raise ManualError(f"the font {pattern} is missing: install {package} (bash scripts/setup window)")


def main():
    parser = argparse.ArgumentParser(description="Builds the user manual's PDF.")
    parser.add_argument("--output", required=True, type=Path, help="PDF to write")
    parser.add_argument("--html", type=Path, help="also keep the HTML document here")
    parser.add_argument("--title", default="")
    parser.add_argument("--subtitle", default="")
    parser.add_argument("--images", default=".", type=Path, help="screenshot folder")
    parser.add_argument("--image-scale", default=0.5, type=float, help="screenshot pixels to screen pixels")
    parser.add_argument("--drop-missing-images", action="store_true",
                        help="leave out pictures the folder lacks, with a warning")
    parser.add_argument("--zavtool", help="the program whose output the chapters show")
    parser.add_argument("chapters", nargs="+", type=Path)
    arguments = parser.parse_args()
    if arguments.image_scale <= 0:
        parser.error("--image-scale needs a positive number")

    try:
        check_fonts()
        texts = []
        for chapter in arguments.chapters:
            try:
                texts.append(chapter.read_text(encoding="utf-8"))
            except OSError as error:
                raise ManualError(f"cannot read {chapter}: {error.strerror}") from error
        pictures = Pictures(arguments.images, arguments.image_scale, arguments.drop_missing_images)
        with tempfile.TemporaryDirectory() as folder:
            (Path(folder) / "example.bin").write_bytes(EXAMPLE_BYTES)
            # zavtool runs in that folder: a path to it must not depend on where we are.
            zavtool = str(Path(arguments.zavtool).resolve()) if arguments.zavtool and "/" in arguments.zavtool \
                else arguments.zavtool
            document = build_html(texts, arguments.title, arguments.subtitle, pictures, zavtool, folder)
    except ManualError as error:
        print(f"build_manual: {error}", file=sys.stderr)
        return 1
    if pictures.missing:
        print(f"build_manual: warning: left out the pictures missing from {arguments.images}: "
              f"{', '.join(pictures.missing)}", file=sys.stderr)
    if arguments.html:
        arguments.html.write_text(document, encoding="utf-8")

    # Imported here: WeasyPrint takes a second to load, and the checks above need none of it.
    import weasyprint
    partial = arguments.output.with_name(arguments.output.name + ".part")
    weasyprint.HTML(string=document, base_url=str(arguments.images.resolve())).write_pdf(
        partial, stylesheets=[weasyprint.CSS(filename=str(STYLESHEET))])
    partial.replace(arguments.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
