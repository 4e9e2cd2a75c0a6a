#!/usr/bin/env python3
"""Writes the game's vector shape data (data/shapes.json, schema data/VectorGraphics.fbs): the
drawings the framework, the menus and the running game show (help pages, status icons, the
game-over face, map nodes and terminals, the lift, boss nodes, prisoners, the player's poses and armour) in set 0,
their white-hot looks that hit and dying entities flash to in set 1, the minimap markers in set 2,
and the animations that step the level's own entities through those shapes.

Shapes are closed outlines of few points on a vector screen, about 32 units tall, y upward,
centred on their origin. Outline colours are 0xRRGGBBAA. Each shape's fill outlines are convex
pieces (fill colours are packed ABGR 0xAABBGGRR, used unchanged): dim versions of the line colour,
so a filled shape reads as a solid body under its glowing edges.

Run from the repository root:  python3 tools/vectorshapes/make_shapes.py
"""

import json
import math
import os
import sys

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
    def __init__(self, ident, colour, note):
        self.ident, self.colour, self.note = ident, colour, note
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
        self.fill.append({"colour": fill_of(colour or self.colour), "points": flat(closed(points))})
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


# --- the player: a compact figure, head, body, arms and legs ---

def player(ident, facing, colour=GREEN, pose="stand"):
    s = Shape(ident, colour, "player " + facing + " " + pose)
    s.solid(circle(0, 11, 4.5, 8, math.pi / 8))                       # head
    body = [(-5, -4), (5, -4), (6, 6), (-6, 6)]
    s.solid(body)
    stride = 3 if pose == "run" else 0
    left_leg = [(-5, -4), (-1, -4), (-2 + stride, -16), (-6 + stride, -16)]
    right_leg = [(1, -4), (5, -4), (6 - stride, -16), (2 - stride, -16)]
    s.solid(left_leg)
    s.solid(right_leg)
    if facing in ("LF", "RT"):
        arm = [(-1, 5), (3, 5), (9, -2), (6, -4)]                     # reaching forward
        visor = [(2, 10), (5, 10), (5, 13), (2, 13)]
        if facing == "LF":
            arm, visor = mirror_x(arm), mirror_x(visor)
        s.solid(arm)
        s.line(visor, colour=CYAN)
    else:
        s.solid([(-6, 6), (-9, 4), (-10, -4), (-7, -3)])
        s.solid([(6, 6), (9, 4), (10, -4), (7, -3)])
        if facing == "DN":
            s.line([(-3, 11), (-1, 11)], close=False, colour=CYAN)     # eyes toward the viewer
            s.line([(1, 11), (3, 11)], close=False, colour=CYAN)
    return s.collision(16, 32)


def robot0():
    s = Shape(1, AMBER, "robot: a box on legs with one eye")
    s.solid(rect(-10, -6, 10, 10))
    s.line(rect(-6, 2, 6, 6), colour=RED)
    s.solid([(-9, -6), (-5, -6), (-7, -14), (-11, -14)])
    s.solid([(5, -6), (9, -6), (11, -14), (7, -14)])
    s.line([(0, 10), (0, 15)], close=False)
    return s.collision(20, 28)


def tron():
    s = Shape(4, RED, "tron: a diamond with a core")
    s.solid([(0, -14), (12, 0), (0, 14), (-12, 0)])
    s.line([(0, -5), (5, 0), (0, 5), (-5, 0)], colour=WHITE)
    return s.collision(20, 24)


def tower_pad():
    s = Shape(8, AMBER, "tower pad: the hatch a tower rises from")
    s.solid(circle(0, 0, 13, 8, math.pi / 8))
    s.line(circle(0, 0, 7, 8, math.pi / 8), colour=RED)
    s.line([(-13, 0), (13, 0)], close=False)
    return s.collision(24, 24)


def maximillian():
    s = Shape(16, PINK, "maximillian: a tall spinner with blades")
    s.solid([(-6, -14), (6, -14), (8, 10), (0, 16), (-8, 10)])
    s.line([(-16, 4), (-8, 6), (-8, 2)], close=False)
    s.line([(16, 4), (8, 6), (8, 2)], close=False)
    s.line(circle(0, 2, 3, 6), colour=WHITE)
    return s.collision(16, 30)


def map_node(ident, direction):
    """An arrow on a plate, pointing the way the map leads."""
    s = Shape(ident, WHITE, "map node " + direction)
    arrow = [(0, 12), (9, 2), (4, 2), (4, -10), (-4, -10), (-4, 2), (-9, 2)]
    turn = {"N": 0, "S": math.pi, "E": -math.pi / 2, "W": math.pi / 2}[direction]
    c, n = math.cos(turn), math.sin(turn)
    turned = [(x * c - y * n, x * n + y * c) for x, y in arrow]
    s.line(turned)
    s.piece(turned[:1] + turned[1:2] + turned[-1:])                  # the head
    s.piece(turned[2:6])                                            # the shaft
    s.line(circle(0, 0, 15, 12), colour=CYAN)
    return s.collision(30, 30)


def terminal():
    """A map terminal: a console on a wall, its screen showing a scrap of maze. Drawn at angle 0
    it hangs on a wall above it (+y) and faces down into the cell; its animations turn it to the
    other walls. The terminal's centre lies inside the wall, so the body reaches out below it."""
    s = Shape(23, CYAN, "map terminal: a wall console with a maze on its screen")
    s.solid(rect(-13, -4, 13, 6))                                   # the plate in the wall
    s.solid([(-11, -4), (11, -4), (8, -14), (-8, -14)])             # the body reaching out
    s.line(rect(-6, -12, 6, -6), colour=GREEN)                      # the screen
    s.line([(-4, -10), (-4, -8), (0, -8), (0, -10), (4, -10), (4, -7)], close=False, colour=GREEN)
    return s.collision(30, 30)


def lift():
    s = Shape(24, CYAN, "lift: a square platform with a cross")
    s.solid(rect(-12, -12, 12, 12))
    s.line([(-12, -12), (12, 12)], close=False, colour=WHITE)
    s.line([(-12, 12), (12, -12)], close=False, colour=WHITE)
    return s.collision(24, 24)


def boss_node():
    s = Shape(22, RED, "boss node: a spiked core the player drains")
    spikes = []
    for k in range(12):
        r = 15.0 if k % 2 == 0 else 9.0
        a = math.pi * k / 6 + math.pi / 2
        spikes.append((r * math.cos(a), r * math.sin(a)))
    s.line(spikes)
    s.piece(circle(0, 0, 9, 6, math.pi / 2))
    for k in range(6):
        s.piece([(0, 0), spikes[2 * k - 1], spikes[2 * k], spikes[(2 * k + 1) % len(spikes)]])
    s.line(circle(0, 0, 4, 6), colour=AMBER)
    return s.collision(22, 22)


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


def burst(ident, colour, note, points=8, outer=14.0, inner=6.0):
    s = Shape(ident, colour, note)
    star = []
    for k in range(2 * points):
        r = outer if k % 2 == 0 else inner
        a = math.pi * k / points + math.pi / 2
        star.append((r * math.cos(a), r * math.sin(a)))
    s.line(star)
    s.piece(circle(0, 0, inner, points))
    for k in range(points):
        s.piece([(0, 0), star[2 * k - 1], star[2 * k], star[(2 * k + 1) % len(star)]])
    return s.collision(2 * inner, 2 * inner)


def shield():
    s = Shape(78, CYAN, "shield: an arc held in front")
    arc = [(14 * math.cos(a), 14 * math.sin(a)) for a in [math.pi / 2 + math.pi * k / 8 for k in range(-3, 4)]]
    inner = [(10 * x / 14, 10 * y / 14) for x, y in reversed(arc)]
    s.line(arc + inner)
    for k in range(len(arc) - 1):
        s.piece([arc[k], arc[k + 1], inner[-k - 2], inner[-k - 1]])
    return s.collision(28, 14)


def target():
    s = Shape(118, RED, "target: a robot's mark")
    s.line(circle(0, 0, 10, 12))
    s.line([(-14, 0), (-5, 0)], close=False)
    s.line([(5, 0), (14, 0)], close=False)
    s.line([(0, -14), (0, -5)], close=False)
    s.line([(0, 5), (0, 14)], close=False)
    s.piece(circle(0, 0, 3, 6))
    return s.collision(20, 20)


def prisoner():
    """A figure with its hands raised, shackled to a ball: a different outline from the player."""
    s = Shape(121, WHITE, "prisoner: a figure in chains, hands raised")
    s.solid(circle(0, 9, 4.5, 8, math.pi / 8))                        # head, sunk between the arms
    s.solid([(-5, -4), (5, -4), (6, 4), (-6, 4)])                     # body
    s.solid([(-5, -4), (-1, -4), (-4, -16), (-8, -16)])               # legs apart
    s.solid([(1, -4), (5, -4), (8, -16), (4, -16)])
    s.solid([(-6, 4), (-3, 4), (-9, 15), (-12, 13)])                  # arms up
    s.solid([(3, 4), (6, 4), (12, 13), (9, 15)])
    s.line([(-10, 14), (-6, 16), (6, 16), (10, 14)], close=False, colour=AMBER)     # wrist chain
    s.line([(6, -15), (10, -17), (13, -15)], close=False, colour=AMBER)            # leg chain
    s.solid(circle(16, -14, 3.5, 8), colour=AMBER)                    # the ball
    return s.collision(16, 32)


def face():
    s = Shape(122, RED, "face: the game-over picture")
    s.solid(circle(0, 2, 14, 12))
    s.line(rect(-8, 4, -3, 9), colour=WHITE)
    s.line(rect(3, 4, 8, 9), colour=WHITE)
    s.line([(-7, -6), (-4, -4), (0, -6), (4, -4), (7, -6)], close=False, colour=WHITE)
    s.solid([(-6, -12), (6, -12), (4, -17), (-4, -17)])
    return s.collision(28, 30)


def armour_icon():
    s = Shape(123, CYAN, "armour power-up: a badge")
    badge = [(-10, 10), (10, 10), (10, -2), (0, -13), (-10, -2)]
    s.solid(badge)
    s.line([(0, 8), (0, -9)], close=False, colour=WHITE)
    return s.collision(20, 23)


def fist_icon():
    s = Shape(124, AMBER, "fist power-up: a clenched fist")
    s.solid(rect(-8, -6, 8, 6))
    for k in range(4):
        s.solid(rect(-8 + 4 * k, 6, -4 + 4 * k, 10))
    s.solid([(-8, -6), (-4, -6), (-4, -12), (-8, -12)])
    return s.collision(16, 22)


def fish_icon():
    s = Shape(128, PINK, "fish power-up")
    body = [(-12, 0), (-4, 7), (6, 5), (10, 0), (6, -5), (-4, -7)]
    s.solid(body)
    s.solid([(10, 0), (16, 6), (16, -6)])
    s.line(circle(-6, 2, 1.5, 6), colour=WHITE)
    return s.collision(28, 14)


def armour():
    s = Shape(127, CYAN, "player armour: a ring around the player")
    s.line(circle(0, 0, 20, 16))
    s.line(circle(0, 0, 17, 16))
    return s.collision(40, 40)


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


# Animation ids (the game's AnimId table) of the level's own entities.
MAP_NODE_N, MAP_NODE_S, MAP_NODE_E, MAP_NODE_W, LIFT_NODE = 19, 20, 21, 22, 23
KROMB_UP, KROMB_DN, KROMB_LF, KROMB_RT = 24, 25, 26, 27
KROMB_CHAINED, PLAYER_ARMOUR, BOSS_NODE = 48, 56, 58


def build():
    lift_shape, boss, player_dn, prisoner_shape, armour_shape = lift(), boss_node(), player(25, "DN"), prisoner(), armour()
    # Shape 23 is the one that turns as it is drawn: the map node, pointed by its animation's angle.
    map_arrow = terminal()
    players = [player(29, "UP"), player_dn, player(26, "LF"), player(27, "RT"), player(28, "UP", pose="run")]
    set0 = [
        robot0(), tron(), tower_pad(), maximillian(),
        map_node(19, "N"), map_node(20, "S"), map_node(21, "E"), boss, map_arrow, lift_shape,
        *players,
        burst(75, WHITE, "punch: the burst of a blow"), shield(), target(),
        prisoner_shape, face(), armour_icon(), fist_icon(), armour_shape, fish_icon(),
    ]
    set1 = [flash(s) for s in [boss, map_arrow, lift_shape, *players, shield(), prisoner_shape, armour_shape]]
    # Set 2 by the minimap shape id of each kind of entity: robots by their drawing, map terminals 0.
    set2 = [
        minimap_marker(0, CYAN, "a map terminal", 3, square=True),
        minimap_marker(1, AMBER, "robot"), minimap_marker(4, RED, "tron"),
        minimap_marker(8, AMBER, "tower pad"), minimap_marker(16, PINK, "maximillian"),
        minimap_marker(22, RED, "boss node", 5), minimap_marker(23, WHITE, "map node", 5),
        minimap_marker(24, CYAN, "lift", 6), minimap_marker(25, GREEN, "the player"),
        minimap_marker(121, WHITE, "a prisoner"),
    ]
    animations = [
        # A terminal's angle is the facing of a player reading it: north is the wall toward row y - 1.
        animation(MAP_NODE_N, [(23, 1000, 180)]), animation(MAP_NODE_S, [(23, 1000, 0)]),
        animation(MAP_NODE_E, [(23, 1000, 90)]), animation(MAP_NODE_W, [(23, 1000, 270)]),
        animation(LIFT_NODE, [(24, 1000, 0)]),
        animation(KROMB_UP, [(29, 1000, 0)]), animation(KROMB_DN, [(25, 1000, 0)]),
        animation(KROMB_LF, [(26, 1000, 0)]), animation(KROMB_RT, [(27, 1000, 0)]),
        animation(KROMB_CHAINED, [(121, 1000, 0)]), animation(PLAYER_ARMOUR, [(127, 1000, 0)]),
        animation(BOSS_NODE, [(22, 1000, 0)]),
    ]
    return {"sets": [{"shapes": [s.json() for s in set0]}, {"shapes": [s.json() for s in set1]},
                     {"shapes": [s.json() for s in set2]}],
            "animations": animations}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join("data", "shapes.json")
    text = json.dumps(build(), separators=(",", ":"))
    with open(out, "w") as f:
        f.write("// Generated by tools/vectorshapes/make_shapes.py; edit the generator, not this file.\n")
        f.write(text.replace('{"id"', '\n{"id"') + "\n")


if __name__ == "__main__":
    main()
