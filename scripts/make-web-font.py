#!/usr/bin/env python3
"""Writes the page's Song face: AR PL UMing CN (the face the window draws
with) cut down to the characters the drawings, the page and the lessons use,
as WOFF2.  Usage: make-web-font.py OUT.woff2  (needs Debian's
python3-fonttools and python3-brotli, and fonts-arphic-uming)"""

import glob
import os
import sys

from fontTools import subset

FONT = "/usr/share/fonts/truetype/arphic/uming.ttc"
UMING_CN = 0  # the collection's first face: AR PL UMing CN
ROOT = os.path.join(os.path.dirname(__file__), "..")


def used_characters():
    """Printable ASCII, and every other character of our sources, the page and the lessons."""
    text = "".join(chr(c) for c in range(0x20, 0x7F))
    for pattern in ("src/**/*.h", "src/**/*.cpp", "web/**/*.js", "web/*.html"):
        for path in glob.glob(os.path.join(ROOT, pattern), recursive=True):
            with open(path, encoding="utf-8") as f:
                text += f.read()
    for path in glob.glob(os.path.join(ROOT, "examples", "*.txt")):
        with open(path, "rb") as f:
            text += f.read().decode("gbk", errors="ignore")
    return sorted({c for c in text if c.isprintable()})


def main():
    out = sys.argv[1]
    options = subset.Options()
    options.flavor = "woff2"
    options.font_number = UMING_CN
    options.name_IDs = ["*"]
    options.notdef_outline = True
    font = subset.load_font(FONT, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in used_characters()])
    subsetter.subset(font)
    subset.save_font(font, out, options)


if __name__ == "__main__":
    main()
