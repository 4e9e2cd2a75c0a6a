#!/usr/bin/env python3
"""Writes the game's vector font (data/vectorfont.json, schema data/VectorGraphics.fbs).

Glyphs are stroke letters drawn on a grid 4 wide and 6 tall (y upward from the baseline), in
the spirit of the old vector arcade screens: straight strokes, a few cut corners, one stroke
width. Each glyph becomes one shape:
  - outline: the strokes, drawn as glowing lines in the colour the text is written in;
  - fill: one convex rectangle per stroke segment, the stroke thickened, filled under the lines
    of filled text in an opaque green (fill colours are packed ABGR, used unchanged);
  - collision box: the glyph's width by the cell height, centred on the glyph, which a sweep
    reveal needs.
Every glyph is moved so that its strokes are centred on x = 0 (the text layout centres each
glyph on its pen position); the baseline is at y = -3 * UNIT * SHRINK_Y for all of them.

The layout puts only a fifth of the width of 'A' between the boxes of neighbouring glyphs and
between lines, too little for glowing strokes of a uniform width: the strokes of letters would
touch. So the strokes are drawn smaller than the glyph's box, leaving INSET clear inside each of
its sides, and two marks (one-point polylines, which draw nothing) at the box's corners keep the
box, which the layout measures glyphs by, the whole glyph cell.

Lower-case letters are drawn with the capitals' shapes.

Run from the repository root:  python3 tools/vectorfont/make_vectorfont.py
"""

import json
import math
import os
import sys

UNIT = 3.75                 # font units per grid step: capitals are 15 wide and 22.5 tall, so the
                            # game's messages at scale 1 read as headings
BASELINE_GRID = 3           # grid row that lands on y = 0 (the middle of a capital)
FILL_HALF_WIDTH = 0.36 * UNIT  # font units on each side of a stroke
FILL_ABGR = 0xFF206020      # opaque green, packed ABGR
SHAPE_RGBA = 0x73D9E7FF     # cyan, 0xRRGGBBAA: the colour a glyph is drawn in by default
CELL_HEIGHT = 6 * UNIT
INSET = 0.55 * UNIT         # font units kept clear inside each side of a glyph's box
SHRINK_X = 1 - 2 * INSET / (4 * UNIT)     # strokes of a capital, 4 grid steps wide, shrink by these
SHRINK_Y = 1 - 2 * INSET / CELL_HEIGHT
FIRST_SHAPE_ID = 1000       # glyph shape id = 1000 + character code


class Dot(list):
    """A small closed square: filled whole rather than stroke by stroke."""


def square(x, y, size=0.5):
    """A dot of punctuation with its lower-left corner at (x, y)."""
    return Dot([(x, y), (x + size, y), (x + size, y + size), (x, y + size), (x, y)])


OCTAGON = [(1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 1), (3, 0), (1, 0)]

# Strokes per character, in grid units.
GLYPHS = {
    'A': [[(0, 0), (0, 4), (2, 6), (4, 4), (4, 0)], [(0, 2), (4, 2)]],
    'B': [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3), (4, 2), (4, 1), (3, 0), (0, 0)], [(0, 3), (3, 3)]],
    'C': [[(4, 6), (1, 6), (0, 5), (0, 1), (1, 0), (4, 0)]],
    'D': [[(0, 0), (0, 6), (2, 6), (4, 4), (4, 2), (2, 0), (0, 0)]],
    'E': [[(4, 6), (0, 6), (0, 0), (4, 0)], [(0, 3), (3, 3)]],
    'F': [[(4, 6), (0, 6), (0, 0)], [(0, 3), (3, 3)]],
    'G': [[(4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0), (3, 0), (4, 1), (4, 2.5), (2.5, 2.5)]],  # open: not a 6
    'H': [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    'I': [[(0, 0), (4, 0)], [(2, 0), (2, 6)], [(0, 6), (4, 6)]],
    'J': [[(4, 6), (4, 1), (3, 0), (1, 0), (0, 1), (0, 2)]],
    'K': [[(0, 0), (0, 6)], [(4, 6), (0, 3), (4, 0)]],
    'L': [[(0, 6), (0, 0), (4, 0)]],
    'M': [[(0, 0), (0, 6), (2, 3), (4, 6), (4, 0)]],
    'N': [[(0, 0), (0, 6), (4, 0), (4, 6)]],
    'O': [OCTAGON],
    'P': [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3), (0, 3)]],
    'Q': [OCTAGON, [(2, 2), (4, 0)]],
    'R': [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3), (0, 3)], [(2, 3), (4, 0)]],
    'S': [[(4, 5), (3, 6), (1, 6), (0, 5), (0, 4), (1, 3), (3, 3), (4, 2), (4, 1), (3, 0), (1, 0), (0, 1)]],
    'T': [[(0, 6), (4, 6)], [(2, 6), (2, 0)]],
    'U': [[(0, 6), (0, 1), (1, 0), (3, 0), (4, 1), (4, 6)]],
    'V': [[(0, 6), (2, 0), (4, 6)]],
    'W': [[(0, 6), (0, 0), (2, 2), (4, 0), (4, 6)]],  # a zigzag's inner strokes would merge in the glow
    'X': [[(0, 0), (4, 6)], [(0, 6), (4, 0)]],
    'Y': [[(0, 6), (2, 3), (4, 6)], [(2, 3), (2, 0)]],
    'Z': [[(0, 6), (4, 6), (0, 0), (4, 0)]],
    '0': [OCTAGON, [(0, 1), (4, 5)]],
    '1': [[(0, 5), (2, 6), (2, 0)], [(0, 0), (4, 0)]],
    '2': [[(0, 5), (1, 6), (3, 6), (4, 5), (4, 4), (0, 0), (4, 0)]],
    '3': [[(0, 5), (1, 6), (3, 6), (4, 5), (4, 4), (3, 3), (4, 2), (4, 1), (3, 0), (1, 0), (0, 1)], [(1, 3), (3, 3)]],
    '4': [[(3, 0), (3, 6), (0, 2), (4, 2)]],
    '5': [[(4, 6), (0, 6), (0, 3), (3, 3), (4, 2), (4, 1), (3, 0), (0, 0)]],
    '6': [[(4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]],
    '7': [[(0, 6), (4, 6), (1, 0)]],
    '8': [[(1, 3), (0, 4), (0, 5), (1, 6), (3, 6), (4, 5), (4, 4), (3, 3), (1, 3),
           (0, 2), (0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (3, 3)]],
    '9': [[(4, 3), (1, 3), (0, 4), (0, 5), (1, 6), (3, 6), (4, 5), (4, 1), (3, 0), (1, 0), (0, 1)]],
    '.': [square(1.75, 0)],
    ',': [[(2.25, 0.5), (2.25, 0), (1.5, -1)]],
    ':': [square(1.75, 1), square(1.75, 4)],
    ';': [square(1.75, 4), [(2.25, 1.5), (2.25, 1), (1.5, 0)]],
    '!': [[(2, 6), (2, 2)], square(1.75, 0)],
    '?': [[(0, 5), (1, 6), (3, 6), (4, 5), (4, 4), (2, 3), (2, 2)], square(1.75, 0)],
    '-': [[(0.5, 3), (3.5, 3)]],
    '+': [[(0.5, 3), (3.5, 3)], [(2, 1.5), (2, 4.5)]],
    '=': [[(0.5, 2), (3.5, 2)], [(0.5, 4), (3.5, 4)]],
    "'": [[(2, 6), (2, 4.5)]],
    '"': [[(1.25, 6), (1.25, 4.5)], [(2.75, 6), (2.75, 4.5)]],
    '%': [[(0, 0), (4, 6)], square(0, 5, 1), square(3, 0, 1)],
    '/': [[(0, 0), (4, 6)]],
    '\\': [[(0, 6), (4, 0)]],
    '(': [[(2.5, 6), (1.5, 5), (1.5, 1), (2.5, 0)]],
    ')': [[(1.5, 6), (2.5, 5), (2.5, 1), (1.5, 0)]],
    '[': [[(2.75, 6), (1.25, 6), (1.25, 0), (2.75, 0)]],
    ']': [[(1.25, 6), (2.75, 6), (2.75, 0), (1.25, 0)]],
    '<': [[(3.5, 5), (0.5, 3), (3.5, 1)]],
    '>': [[(0.5, 5), (3.5, 3), (0.5, 1)]],
    '_': [[(0, -0.5), (4, -0.5)]],
    '*': [[(2, 1.5), (2, 4.5)], [(0.7, 2.25), (3.3, 3.75)], [(0.7, 3.75), (3.3, 2.25)]],
    '#': [[(1.25, 1), (1.25, 5)], [(2.75, 1), (2.75, 5)], [(0.25, 2.25), (3.75, 2.25)], [(0.25, 3.75), (3.75, 3.75)]],
}


def rounded(value):
    value = round(value, 4)
    return int(value) if value == int(value) else value


def box_width(strokes):
    """The width of the glyph's box in font units: that of its strokes at full size."""
    xs = [x for stroke in strokes for x, _ in stroke]
    return (max(xs) - min(xs)) * UNIT


def to_font_units(strokes):
    """Grid strokes to font units, centred on x = 0 and shrunk towards the cell's middle."""
    xs = [x for stroke in strokes for x, _ in stroke]
    centre = (min(xs) + max(xs)) / 2.0
    return [type(stroke)(((x - centre) * UNIT * SHRINK_X, (y - BASELINE_GRID) * UNIT * SHRINK_Y) for x, y in stroke)
            for stroke in strokes]


def segment_fill(a, b):
    """The segment thickened to a rectangle with square ends, closed: convex, so one strip fills it."""
    (ax, ay), (bx, by) = a, b
    length = math.hypot(bx - ax, by - ay)
    dx, dy = (bx - ax) / length, (by - ay) / length
    nx, ny = -dy * FILL_HALF_WIDTH, dx * FILL_HALF_WIDTH
    ex, ey = dx * FILL_HALF_WIDTH, dy * FILL_HALF_WIDTH
    corners = [(ax - ex + nx, ay - ey + ny), (ax - ex - nx, ay - ey - ny),
               (bx + ex - nx, by + ey - ny), (bx + ex + nx, by + ey + ny)]
    return corners + [corners[0]]


def dot_fill(dot):
    """The dot grown by the fill's half width on every side, closed."""
    xs = [x for x, _ in dot]
    ys = [y for _, y in dot]
    x0, x1 = min(xs) - FILL_HALF_WIDTH, max(xs) + FILL_HALF_WIDTH
    y0, y1 = min(ys) - FILL_HALF_WIDTH, max(ys) + FILL_HALF_WIDTH
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)]


def flat(points):
    return [rounded(v) for point in points for v in point]


def glyph_shape(char):
    strokes = to_font_units(GLYPHS[char])
    width = box_width(GLYPHS[char])
    box_marks = [[(-width / 2, -CELL_HEIGHT / 2)], [(width / 2, CELL_HEIGHT / 2)]]
    fills = []
    for stroke in strokes:
        if isinstance(stroke, Dot):
            fills.append({"colour": FILL_ABGR, "points": flat(dot_fill(stroke))})
            continue
        for a, b in zip(stroke, stroke[1:]):
            if a != b:
                fills.append({"colour": FILL_ABGR, "points": flat(segment_fill(a, b))})
    return {
        "id": FIRST_SHAPE_ID + ord(char),
        "colour": SHAPE_RGBA,
        "graphic": {
            "outline": [{"points": flat(stroke)} for stroke in strokes + box_marks],
            "fill": fills,
            "collision_box": {"x": 0, "y": 0, "w": rounded(max(width, UNIT)), "h": CELL_HEIGHT, "centred": True},
        },
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join("data", "vectorfont.json")
    chars = sorted(GLYPHS, key=ord)
    glyphs = [{"code": ord(c), "shape": FIRST_SHAPE_ID + ord(c)} for c in chars]
    glyphs += [{"code": ord(c.lower()), "shape": FIRST_SHAPE_ID + ord(c)} for c in chars if c.isalpha()]
    root = {"sets": [{"shapes": [glyph_shape(c) for c in chars]}], "glyphs": glyphs}
    with open(out, "w") as f:
        f.write("// Generated by tools/vectorfont/make_vectorfont.py; edit the generator, not this file.\n")
        f.write(json.dumps(root, separators=(",", ":")).replace('{"id"', '\n{"id"') + "\n")


if __name__ == "__main__":
    main()
