#!/usr/bin/env python3
"""Writes the game's animated vector drawings (schema data/VectorDrawing.fbs):

- data/intro.json: a maze builds itself wall by wall from its entrance, a robot assembles and
  slides in to guard the exit, the game's name is swept onto the screen by a beam, and a small
  hero walks the maze to the robot; the drawing then ends through "DRAWDONE".
- data/gameover-won.json and data/gameover-lost.json: the closing words of a game.

Everything is authored in design pixels (640 x 480, y upward) and written in the drawings'
percent coordinates. Line colours are 0xRRGGBBAA; polygon colours are packed ABGR, used
unchanged. Times are seconds, except that a text's sweep moves once per drawn frame.

Layers: 0 the maze, 1 the robot and the hero, 2 the words.

Run from the repository root:  python3 tools/drawings/make_drawings.py
"""

import json
import math
import os
import random
import sys

# The palette and fills are the game's shapes' own.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "vectorshapes"))
from shape_kit import AMBER, CYAN, GREEN, PINK, RED, WHITE, fill_of  # noqa: E402

WIDTH, HEIGHT = 640.0, 480.0
FONT_CAPITAL_HEIGHT = 22.5  # the vector font's capital height in font units (tools/vectorfont)

BEAM = 0xFFFFFFB0


def px(x):
    return round(x * 100.0 / WIDTH, 4)


def py(y):
    return round(y * 100.0 / HEIGHT, 4)


def step(dx=0.0, dy=0.0, duration_x=0.0, duration_y=0.0, ease_x="", ease_y="", **more):
    """A step in design pixels."""
    s = {}
    if dx:
        s["dx"] = px(dx)
    if dy:
        s["dy"] = py(dy)
    if duration_x:
        s["duration_x"] = round(duration_x, 4)
    if duration_y:
        s["duration_y"] = round(duration_y, 4)
    if ease_x:
        s["ease_x"] = ease_x
    if ease_y:
        s["ease_y"] = ease_y
    s.update(more)
    return s


def wait(seconds, **more):
    """A step that moves nothing for a while (a channel with a duration and no change stays)."""
    return step(duration_x=seconds, **more)


def point(x, y, steps=(), name=""):
    p = {"x": px(x), "y": py(y)}
    if name:
        p["name"] = name
    if steps:
        p["steps"] = list(steps)
    return p


def group(points, colour, name="", thickness=1.0, visible=True):
    g = {"colour": colour, "points": points}
    if name:
        g["name"] = name
    if thickness != 1.0:
        g["thickness"] = thickness
    if not visible:
        g["visible"] = False
    return g


# --- The maze -------------------------------------------------------------------------------

COLS, ROWS, CELL = 9, 5, 48
MAZE_X = (WIDTH - COLS * CELL) / 2
MAZE_Y = 34
ENTRY_ROW, EXIT_ROW = 2, 2
WALL_GAP = 0.07  # seconds between the starts of two walls
WALL_GROW = 0.4


def carve_maze(seed=1983):
    """A perfect maze by depth-first carving; returns the set of open passages between cells."""
    rng = random.Random(seed)
    seen = {(0, ENTRY_ROW)}
    stack = [(0, ENTRY_ROW)]
    open_ = set()
    while stack:
        x, y = stack[-1]
        options = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                   if 0 <= x + dx < COLS and 0 <= y + dy < ROWS and (x + dx, y + dy) not in seen]
        if not options:
            stack.pop()
            continue
        nxt = rng.choice(options)
        open_.add(frozenset(((x, y), nxt)))
        seen.add(nxt)
        stack.append(nxt)
    return open_


def solve(open_):
    """The cells from the entrance to the exit."""
    start, goal = (0, ENTRY_ROW), (COLS - 1, EXIT_ROW)
    previous = {start: None}
    queue = [start]
    while queue:
        cell = queue.pop(0)
        if cell == goal:
            break
        x, y = cell
        for nxt in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if nxt not in previous and frozenset((cell, nxt)) in open_:
                previous[nxt] = cell
                queue.append(nxt)
    path = [goal]
    while previous[path[-1]] is not None:
        path.append(previous[path[-1]])
    return path[::-1]


def wall_segments(open_):
    """Walls as straight runs between grid corners, joined where they continue in a line."""
    horizontal = []  # (row line j, column i): the wall under cell row j, between x i and i + 1
    for j in range(ROWS + 1):
        for i in range(COLS):
            if j in (0, ROWS) or frozenset(((i, j - 1), (i, j))) not in open_:
                horizontal.append((j, i))
    vertical = []  # (column line i, row j)
    for i in range(COLS + 1):
        for j in range(ROWS):
            door = (i == 0 and j == ENTRY_ROW) or (i == COLS and j == EXIT_ROW)
            if door:
                continue
            if i in (0, COLS) or frozenset(((i - 1, j), (i, j))) not in open_:
                vertical.append((i, j))
    runs = []
    for line in range(ROWS + 1):
        cells = sorted(i for j, i in horizontal if j == line)
        runs += [((a, line), (b + 1, line)) for a, b in joined(cells)]
    for line in range(COLS + 1):
        cells = sorted(j for i, j in vertical if i == line)
        runs += [((line, a), (line, b + 1)) for a, b in joined(cells)]
    return runs


def joined(indices):
    runs = []
    for i in indices:
        if runs and runs[-1][1] == i - 1:
            runs[-1][1] = i
        else:
            runs.append([i, i])
    return runs


def corner(gx, gy):
    return MAZE_X + gx * CELL, MAZE_Y + gy * CELL


def cell_centre(cx, cy):
    return MAZE_X + (cx + 0.5) * CELL, MAZE_Y + (cy + 0.5) * CELL


def maze_definition(runs):
    """Walls grow from the end nearer the entrance, in order of that distance; a cue point
    switches each wall's group on when its turn comes, and the wall's first step waits until
    then, so that its growth starts from its own beginning."""
    entry = corner(0, ENTRY_ROW + 0.5)

    def near_end(run):
        a, b = (corner(*run[0]), corner(*run[1]))
        da, db = math.dist(a, entry), math.dist(b, entry)
        return (a, b) if da <= db else (b, a)

    ordered = sorted((near_end(r) for r in runs), key=lambda ab: (math.dist(ab[0], entry), ab[0]))
    cue_steps = []
    walls = []
    for k, (a, b) in enumerate(ordered):
        name = "wall%d" % k
        starts_at = (k + 1) * WALL_GAP
        cue_steps.append(wait(WALL_GAP, group_on=name))
        eases = ("outCubic", "outQuart", "outExpo")
        grow = step(b[0] - a[0], b[1] - a[1], WALL_GROW if b[0] != a[0] else 0, WALL_GROW if b[1] != a[1] else 0,
                    ease_x=eases[k % 3] if b[0] != a[0] else "", ease_y=eases[k % 3] if b[1] != a[1] else "")
        walls.append(group([point(*a), point(a[0], a[1], [wait(starts_at), grow])], CYAN, name, 0.55, False))
    cue_steps.append(wait(WALL_GROW + 0.3, event="MAZEBUILT"))
    cue = group([point(0, 0, cue_steps)], 0, "cue")
    return {"name": "maze", "lines": [cue] + walls}


# --- The robot ------------------------------------------------------------------------------

def assembled(shape, colour, name, thickness=1.0, delay=0.0, visible=True):
    """A polyline whose points fly out from the robot's centre to their places."""
    points = []
    for k, (x, y) in enumerate(shape):
        steps = [step(x, y, 0.9, 0.9, "outElastic", "outElastic")]
        if delay:
            steps.insert(0, wait(delay + 0.02 * k))
        points.append(point(0, 0, steps))
    return group(points, colour, name, thickness, visible)


def robot_definition(angry_at):
    body = [(-16, -14), (16, -14), (16, 12), (-16, 12), (-16, -14)]
    head = [(0, 14), (12, 24), (0, 34), (-12, 24), (0, 14)]
    antenna = [(0, 34), (0, 42), (4, 46)]
    left_arm = [(-16, 6), (-26, 0), (-26, -10), (-20, -16)]
    right_arm = [(16, 6), (26, 0), (26, -10), (20, -16)]
    legs = [(-10, -14), (-12, -26), (-4, -26), (0, -18), (4, -26), (12, -26), (10, -14)]
    lines = [
        assembled(body, AMBER, "body", 0.8),
        assembled(head, AMBER, "head", 0.8, 0.1),
        assembled(antenna, WHITE, "antenna", 0.5, 0.2),
        assembled(left_arm, AMBER, "left arm", 0.7, 0.25),
        assembled(right_arm, AMBER, "right arm", 0.7, 0.25),
        assembled(legs, AMBER, "legs", 0.7, 0.3),
        group([point(-6, 24), point(-2, 24)], AMBER, "calm eye left", 0.9),
        group([point(2, 24), point(6, 24)], AMBER, "calm eye right", 0.9),
        group([point(-7, 26), point(-2, 23)], RED, "angry eye left", 1.0, False),
        group([point(7, 26), point(2, 23)], RED, "angry eye right", 1.0, False),
    ]
    # The body's dim fill appears once the robot stands assembled.
    polygons = [group([point(x, y) for x, y in body[:4]], fill_of(AMBER, 0.25), "armour", visible=False)]
    # The eyes turn once the hero is close: a cue point switches the groups.
    cue = group([point(0, 0, [wait(1.2, group_on="armour"),
                              wait(angry_at - 1.2, group_off="calm eye left", group_on="angry eye left"),
                              wait(0.01, group_off="calm eye right", group_on="angry eye right")])], 0, "cue")
    return {"name": "robot", "lines": [cue] + lines, "polygons": polygons}


def robot_placement(exit_x, exit_y):
    # Slides in from beyond the right edge and then hovers on the spot.
    steps = [step(exit_x - (WIDTH + 40), 0, 1.4, 0, "outBack")]
    for k in range(24):
        steps.append(step(0, 3 if k % 2 == 0 else -3, 0, 0.6, ease_y="inOutSine"))
    return {"name": "robot", "definition": "robot", "x": px(WIDTH + 40), "y": py(exit_y), "visible": False,
            "layer": 1, "steps": steps}


# --- The hero ---------------------------------------------------------------------------------

HERO_STEP = 0.26  # seconds from one cell to the next


def hero_definition(arrives_at):
    """A small figure; once at the robot, it punches with its right arm."""
    head = [(0, 16), (4, 13), (4, 9), (0, 6), (-4, 9), (-4, 13), (0, 16)]
    spine = [(0, 6), (0, -4)]
    legs = [(-5, -13), (0, -4), (5, -13)]
    punches = [wait(arrives_at)]
    for k in range(8):
        punches.append(step(7 if k % 2 == 0 else -7, 2 if k % 2 == 0 else -2, 0.15, 0.15, "outBack", "inOutQuad"))
    return {"name": "hero", "lines": [
        group([point(x, y) for x, y in head], GREEN, "head", 0.6),
        group([point(-7, 2), point(0, 5), point(7, 2, punches)], GREEN, "arms", 0.6),
        group([point(x, y) for x, y in spine], GREEN, "spine", 0.6),
        group([point(x, y) for x, y in legs], GREEN, "legs", 0.6),
    ]}


def hero_placement(path):
    """Walks in from outside the entrance along the maze's path, cell by cell, to the exit cell,
    where the robot waits beyond the door."""
    sx, sy = cell_centre(-1, ENTRY_ROW)
    steps = []
    previous = (sx, sy)
    for cell in path:
        x, y = cell_centre(*cell)
        dx, dy = x - previous[0], y - previous[1]
        steps.append(step(dx, dy, HERO_STEP if dx else 0, HERO_STEP if dy else 0,
                          "inOutQuad" if dx else "", "inOutQuad" if dy else ""))
        previous = (x, y)
    steps[-1]["event"] = "ARRIVED"
    return {"name": "hero", "definition": "hero", "x": px(sx), "y": py(sy), "visible": False, "layer": 1,
            "steps": steps, "triggers": [{"event": "ARRIVED", "object_on": "finale"}]}


# --- The words --------------------------------------------------------------------------------

def text(x, y, words, colour, height, thickness, sweep_speed, sweep_rate, beam=(320, 480), fill=False):
    """Words whose capitals are `height` design pixels tall."""
    return {"x": px(x), "y": py(y), "text": words, "colour": colour, "scale": height / FONT_CAPITAL_HEIGHT,
            "thickness": thickness,
            "fill": fill, "sweep": True, "sweep_speed": sweep_speed, "sweep_rate": sweep_rate,
            "beam_x": px(beam[0]), "beam_y": py(beam[1]), "beam_colour": BEAM}


def first_glyph_x(words, height, centre=WIDTH / 2):
    """Where the first glyph's centre goes for the words to be centred (capitals 5 steps wide with
    gaps of 1, and 7.5 steps tall)."""
    step = height / 7.5
    width = (len(words) * 6 - 1) * step
    return centre - width / 2 + 2.5 * step


def words_definition(name, words, y, colour, height, thickness, speed, rate, fill=False):
    return {"name": name, "texts": [text(first_glyph_x(words, height), y, words, colour, height, thickness, speed,
                                         rate, fill=fill)]}


def finale_definition(y):
    """A line that opens out from the middle under the name, then a pause before the end."""
    half = 200
    underline = group([point(320, y, [step(-half, 0, 0.9, 0, "outExpo")]),
                       point(320, y, [step(half, 0, 0.9, 0, "outExpo")])], PINK, "underline", 0.5)
    cue = group([point(0, 0, [wait(2.2, event="END")])], 0, "cue")
    return {"name": "finale", "lines": [cue, underline]}


def intro():
    open_ = carve_maze()
    path = solve(open_)
    exit_x, exit_y = cell_centre(COLS, EXIT_ROW)
    title_y, subtitle_y = 408, 316
    definitions = [
        maze_definition(wall_segments(open_)),
        robot_definition(angry_at=HERO_STEP * len(path) - 0.6),
        hero_definition(arrives_at=HERO_STEP * len(path)),
        words_definition("title", "ZELMO", title_y, PINK, 90, 9.0, 6, 20, fill=True),
        words_definition("subtitle", "ESCAPE THE ROBOT MAZE", subtitle_y, CYAN, 24, 5.0, 4, 8),
        finale_definition(title_y - 62),
    ]
    placements = [
        {"name": "maze", "definition": "maze", "layer": 0, "triggers": [
            {"event": "MAZEBUILT", "object_on": "robot"},
            {"event": "MAZEBUILT", "object_on": "hero"},
            {"event": "MAZEBUILT", "object_on": "title"}]},
        robot_placement(exit_x + 6, exit_y - 4),
        hero_placement(path),
        {"name": "title", "definition": "title", "visible": False, "layer": 2, "triggers": [
            {"event": "SCOPEDONE", "scope": "off", "object_on": "subtitle"}]},
        {"name": "subtitle", "definition": "subtitle", "visible": False, "layer": 2, "triggers": [
            {"event": "SCOPEDONE", "scope": "off"}]},
        {"name": "finale", "definition": "finale", "visible": False, "layer": 2, "triggers": [
            {"event": "END", "object_on": "DRAWDONE"}]},
    ]
    return {"definitions": definitions, "placements": placements}


def game_over(words, colour, subtitle):
    """The closing words swept in at the top, a line under them, and a pause."""
    y = 420
    return {
        "definitions": [
            # The font's fills are green: red words over them would glow yellow.
            words_definition("words", words, y, colour, 52.5, 8.0, 6, 16, fill=colour == GREEN),
            words_definition("subtitle", subtitle, 60, CYAN, 22.5, 5.0, 4, 8),
            finale_definition(y - 40),
        ],
        "placements": [
            {"name": "words", "definition": "words", "layer": 0, "triggers": [
                {"event": "SCOPEDONE", "scope": "off", "object_on": "subtitle"}]},
            {"name": "subtitle", "definition": "subtitle", "visible": False, "layer": 0, "triggers": [
                {"event": "SCOPEDONE", "scope": "off", "object_on": "finale"}]},
            {"name": "finale", "definition": "finale", "visible": False, "layer": 0, "triggers": [
                {"event": "END", "object_on": "DRAWDONE"}]},
        ],
    }


def write(name, drawing):
    path = os.path.join("data", name + ".json")
    with open(path, "w") as f:
        f.write("// Generated by tools/drawings/make_drawings.py; edit the generator, not this file.\n")
        f.write(json.dumps(drawing, indent=1) + "\n")


def main():
    write("intro", intro())
    write("gameover-won", game_over("YOU ESCAPED", GREEN, "THE MAZE IS YOURS"))
    write("gameover-lost", game_over("GAME OVER", RED, "THE ROBOTS HOLD THE MAZE"))


if __name__ == "__main__":
    main()
