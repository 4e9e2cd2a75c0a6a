"""The building blocks of the game's vector shape data: the palette, point helpers, a shape with
its outline, fill pieces and collision box, its flash look, minimap markers and animations. The
generators of the shape data (make_shapes.py, robot_shapes.py) share them.

Shapes are closed outlines of few points on a vector screen, about 32 units tall, y upward,
centred on their origin. Outline colours are 0xRRGGBBAA. Each shape's fill outlines are convex
pieces (fill colours are packed ABGR 0xAABBGGRR, used unchanged): dim versions of the line colour,
so a filled shape reads as a solid body under its glowing edges.
"""

import math

# Line colours, 0xRRGGBBAA.
CYAN = 0x73D9E7FF
PINK = 0xFFB2FFFF
GREEN = 0x7FFF7FFF
AMBER = 0xFFB020FF
RED = 0xFF4040FF
WHITE = 0xFFFFFFFF


def fill_of(rgba, dim=0.35):
    """The packed ABGR fill colour for a line colour: the same hue, dimmed, opaque."""
    r, g, b = (rgba >> 24) & 255, (rgba >> 16) & 255, (rgba >> 8) & 255
    r, g, b = (int(c * dim) for c in (r, g, b))
    return 0xFF000000 | (b << 16) | (g << 8) | r


def closed(points):
    return list(points) + [points[0]]


def circle(cx, cy, r, n=12, start=0.0):
    return [(cx + r * math.cos(start + 2 * math.pi * k / n), cy + r * math.sin(start + 2 * math.pi * k / n))
            for k in range(n)]


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def mirror_x(points):
    return [(-x, y) for x, y in points]


def rounded(value):
    value = round(value, 3)
    return int(value) if value == int(value) else value


def flat(points):
    return [rounded(v) for point in points for v in point]


class Shape:
    def __init__(self, ident, colour, note, fill_dim=0.35):
        self.ident, self.colour, self.note, self.fill_dim = ident, colour, note, fill_dim
        self.outline, self.fill, self.box = [], [], None

    def line(self, points, close=True, colour=0, thickness=1.0):
        entry = {"points": flat(closed(points) if close else points)}
        if colour:
            entry["colour"] = colour
        if thickness != 1.0:
            entry["thickness"] = thickness
        self.outline.append(entry)
        return self

    def solid(self, points, colour=None):
        """A convex piece filled under the lines (and drawn as a closed outline)."""
        self.line(points, colour=colour or 0)
        return self.piece(points, colour)

    def piece(self, points, colour=None):
        """A convex piece that is only filled."""
        self.fill.append({"colour": fill_of(colour or self.colour, self.fill_dim), "points": flat(closed(points))})
        return self

    def collision(self, w, h):
        self.box = {"x": 0, "y": 0, "w": w, "h": h, "centred": True}
        return self

    def json(self):
        graphic = {"outline": self.outline}
        if self.fill:
            graphic["fill"] = self.fill
        if self.box:
            graphic["collision_box"] = self.box
        return {"id": self.ident, "colour": self.colour, "graphic": graphic}


def flash(shape):
    """The white-hot look of a shape: its outline all white over a bright fill."""
    s = Shape(shape.ident, WHITE, shape.note + ", flashing")
    s.outline = [{key: value for key, value in entry.items() if key != "colour"} for entry in shape.outline]
    s.fill = [{"colour": fill_of(WHITE, 0.6), "points": entry["points"]} for entry in shape.fill]
    s.box = shape.box
    return s


def animation(ident, frames, follow_on=None):
    """frames: (shape, milliseconds, angle); the last frame loops to the first."""
    return {"id": ident, "next": ident if follow_on is None else follow_on,
            "frames": [{"shape": shape, "duration": ms, "angle": angle} for shape, ms, angle in frames]}


def dim_rgba(rgba, dim=0.5):
    """A dimmed line colour kept as 0xRRGGBBAA: the minimap reads its fills that way."""
    r, g, b = (int(((rgba >> shift) & 255) * dim) for shift in (24, 16, 8))
    return (r << 24) | (g << 16) | (b << 8) | 0xFF


def minimap_marker(ident, colour, note, size=4, square=False):
    """A diamond (or a square) the minimap draws at the entity's place, in the entity's colour.
    Unlike the other sets, its fill colour is 0xRRGGBBAA."""
    s = Shape(ident, colour, "minimap: " + note)
    points = rect(-size, -size, size, size) if square else [(0, size), (size, 0), (0, -size), (-size, 0)]
    s.line(points)
    s.fill.append({"colour": dim_rgba(colour), "points": flat(closed(points))})
    return s
