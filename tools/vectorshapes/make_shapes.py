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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import robot_shapes  # noqa: E402
from shape_kit import (AMBER, CYAN, GREEN, PINK, RED, WHITE, Shape, animation, circle, closed, flash,  # noqa: E402
                       flat, minimap_marker, mirror_x, rect)

# --- the player: a compact figure, head, body, arms and legs, in six poses and four facings ---
# Seen from the side when facing left or right (drawn facing right, mirrored for left), from the
# back when facing up and from the front (eyes showing) when facing down. A pose changes the
# outline itself - where the head sits, how the legs stand and where the arms reach - so that
# poses stay apart when the figure is only a few dozen pixels tall. Up points to +y.

HEAD_R = 4.5


def side_pose(pose, frame):
    """(head centre, body, limbs, fist) of the right-facing figure."""
    if pose == "stand":
        return (1, 11), [(-5, -4), (5, -4), (7, 6), (-4, 6)], [
            [(-5, -4), (-1, -4), (-2, -16), (-6, -16)], [(1, -4), (5, -4), (6, -16), (2, -16)],
            [(1, 5), (5, 5), (13, 1), (12, -2)]], None
    if pose == "run":
        stride = 8 if frame == 0 else -8
        return (1, 11), [(-4, -4), (6, -4), (7, 6), (-5, 6)], [
            [(-3, -4), (1, -4), (1 + stride, -16), (-3 + stride, -16)],
            [(2, -4), (6, -4), (2 - stride, -15), (-2 - stride, -15)],
            [(0, 5), (4, 5), (4 + stride, -3), (1 + stride, -4)]], None
    if pose == "shield":
        return (-1, 11), [(-6, -4), (4, -4), (5, 6), (-7, 6)], [
            [(-7, -4), (-3, -4), (-9, -16), (-13, -16)], [(0, -4), (4, -4), (9, -16), (5, -16)],
            [(2, 6), (5, 3), (12, 9), (10, 12)], [(2, 1), (4, -2), (12, 2), (11, 5)]], None
    if pose == "crouch":
        return (2, 2), [(-7, -9), (5, -9), (7, 0), (-5, -1)], [
            [(-7, -9), (-3, -9), (-11, -16), (-14, -13)], [(1, -9), (5, -9), (10, -16), (6, -16)],
            [(3, -1), (6, -2), (9, -9), (6, -10)]], None
    if pose == "charge":
        return (3, 3), [(-6, -9), (6, -9), (7, 1), (-5, 0)], [
            [(-6, -9), (-2, -9), (-10, -16), (-13, -13)], [(2, -9), (6, -9), (11, -16), (7, -16)],
            [(-3, 0), (0, 1), (-11, 10), (-13, 7)]], (-13, 10, 3.5)
    # punch: the arm reaches out level with the shoulder, longer in the second frame
    reach = 18 if frame == 0 else 25
    return (2, 10), [(-4, -4), (6, -4), (8, 6), (-3, 6)], [
        [(-4, -4), (0, -4), (-9, -16), (-13, -15)], [(2, -4), (6, -4), (11, -16), (7, -16)],
        [(4, 6), (4, 2), (reach, 2), (reach, 6)]], (reach + 2, 4, 3.5)


def front_pose(facing, pose, frame):
    """(head centre, body, limbs, fist) of the figure facing up (seen from behind) or down."""
    sign = 1 if facing == "UP" else -1
    legs = [[(-5, -4), (-1, -4), (-2, -16), (-6, -16)], [(1, -4), (5, -4), (6, -16), (2, -16)]]
    # Facing up the hands are held up and forward, beside the head; facing down they hang.
    if sign > 0:
        arms = [[(-6, 6), (-9, 5), (-13, 14), (-10, 16)], [(6, 6), (9, 5), (13, 14), (10, 16)]]
    else:
        arms = [[(-6, 6), (-9, 4), (-10, -4), (-7, -3)], [(6, 6), (9, 4), (10, -4), (7, -3)]]
    head, body, fist = (0, 11), [(-5, -4), (5, -4), (6, 6), (-6, 6)], None
    if pose == "run":
        lift = 8 if frame == 0 else -8
        legs = [[(-5, -4), (-1, -4), (-4, -16 + max(lift, 0)), (-8, -16 + max(lift, 0))],
                [(1, -4), (5, -4), (8, -16 + max(-lift, 0)), (4, -16 + max(-lift, 0))]]
        swing = [(-6, 6), (-9, 4), (-14, sign * 6 + lift), (-11, sign * 6 + 2 + lift)]
        arms = [swing, [(-x, y - 2 * lift if i >= 2 else y) for i, (x, y) in enumerate(swing)]]
    elif pose == "shield":
        legs = [[(-5, -4), (-1, -4), (-6, -16), (-10, -16)], [(1, -4), (5, -4), (10, -16), (6, -16)]]
        if sign > 0:
            arms = [[(-6, 6), (-3, 8), (-7, 19), (-10, 17)], [(6, 6), (3, 8), (7, 19), (10, 17)]]
        else:
            arms = [[(-13, 3), (13, 3), (13, 0), (-13, 0)]]
    elif pose in ("crouch", "charge"):
        head, body = (0, 2), [(-6, -10), (6, -10), (7, -1), (-7, -1)]
        legs = [[(-6, -10), (-2, -10), (-9, -16), (-13, -15)], [(2, -10), (6, -10), (13, -15), (9, -16)]]
        if sign > 0:
            arms = [[(-7, -2), (-10, -1), (-13, 7), (-10, 9)], [(7, -2), (10, -1), (13, 7), (10, 9)]]
        else:
            arms = [[(-7, -2), (-10, -3), (-8, -10), (-5, -9)], [(7, -2), (10, -3), (8, -10), (5, -9)]]
        if pose == "charge":
            # The fist drawn back the way the blow will go.
            head, body = (0, 5), [(-6, -10), (6, -10), (7, 2), (-7, 2)]
            guard = [(-6, 1), (-8, -1), (-16, 1), (-15, 4)]
            if sign > 0:
                arms = [guard, [(6, 1), (9, 0), (10, 15), (7, 16)]]
                fist = (9, 16, 3.5)
            else:
                arms = [guard, [(6, 1), (8, -1), (15, -12), (13, -14)]]
                fist = (15, -15, 3.5)
    elif pose == "punch":
        reach = 20 if frame == 0 else 27
        # A wide stance behind the blow.
        legs = [[(-5, -4), (-1, -4), (-7, -16), (-11, -16)], [(1, -4), (5, -4), (11, -16), (7, -16)]]
        arms = [arms[0], [(5, 5), (9, 5), (9, sign * reach), (5, sign * reach)]]
        fist = (7, sign * (reach + 2), 3.5)
    return head, body, legs + arms, fist


# The player's own green, purer than the text's: the screen's glow adds up the colour's weaker
# channels too, and a pale figure a few dozen pixels tall burns to a white blot. Its body is
# filled a little brighter than other shapes', so that the figure reads as one piece.
PLAYER_GREEN = 0x18FF30FF
PLAYER_FILL_DIM = 0.5


def player(ident, facing, colour=PLAYER_GREEN, pose="stand", frame=0):
    s = Shape(ident, colour, "player " + facing + " " + pose + (" " + str(frame) if frame else ""), PLAYER_FILL_DIM)
    if facing in ("LF", "RT"):
        head, body, limbs, fist = side_pose(pose, frame)
    else:
        head, body, limbs, fist = front_pose(facing, pose, frame)
    flip = mirror_x if facing == "LF" else (lambda points: points)
    s.solid(circle(head[0] * (-1 if facing == "LF" else 1), head[1], HEAD_R, 8, math.pi / 8))
    s.solid(flip(body))
    for limb in limbs:
        s.solid(flip(limb))
    if fist:
        s.solid(flip(circle(fist[0], fist[1], fist[2], 6)))
    hx, hy = head
    if facing in ("LF", "RT"):
        s.line(flip([(hx + 2, hy - 1), (hx + 5, hy - 1), (hx + 5, hy + 2), (hx + 2, hy + 2)]), colour=CYAN)
    elif facing == "DN":
        s.line([(hx - 3, hy), (hx - 1, hy)], close=False, colour=CYAN)     # eyes toward the viewer
        s.line([(hx + 1, hy), (hx + 3, hy)], close=False, colour=CYAN)
    return s.collision(16, 32)


# Pose shapes by facing: the stands keep the ids the help pages and icons draw (25 down, 26 left,
# 28 the lives icon as the first up-run frame); punches and runs have two frames.
FACINGS = ("UP", "DN", "LF", "RT")
POSE_SHAPES = {
    "stand": {"UP": [29], "DN": [25], "LF": [26], "RT": [27]},
    "run": {"UP": [28, 80], "DN": [81, 82], "LF": [83, 84], "RT": [85, 86]},
    "shield": {"UP": [87], "DN": [88], "LF": [89], "RT": [90]},
    "crouch": {"UP": [91], "DN": [92], "LF": [93], "RT": [94]},
    "charge": {"UP": [95], "DN": [96], "LF": [97], "RT": [98]},
    "punch": {"UP": [99, 100], "DN": [101, 102], "LF": [103, 104], "RT": [105, 106]},
}
# The after-images a punch leaves, one per punch frame.
TRAIL_SHAPES = {"LF": 109, "RT": 111, "UP": 113, "DN": 115}
SHIELD_SHAPES = {"LF": 117, "RT": 118, "UP": 119, "DN": 120}


def player_poses():
    return [player(ident, facing, pose=pose, frame=frame)
            for pose, by_facing in POSE_SHAPES.items() for facing in FACINGS
            for frame, ident in enumerate(by_facing[facing])]


def punch_trails():
    trails = []
    for facing, first in TRAIL_SHAPES.items():
        for frame in range(2):
            s = player(first + frame, facing, colour=RED, pose="punch", frame=frame)
            s.note = "after-image of the " + facing + " punch, frame " + str(frame)
            trails.append(s)
    return trails


def held_shield(facing):
    """The shield the player holds: an arc in front of the figure on the side it faces."""
    s = Shape(SHIELD_SHAPES[facing], CYAN, "held shield " + facing)
    # Held a hand's breadth off the body, so that a shot meets the shield well before the player.
    centre, radius = {"UP": (math.pi / 2, 36), "DN": (-math.pi / 2, 36), "LF": (math.pi, 24), "RT": (0.0, 24)}[facing]
    outer = [(radius * math.cos(centre + a), radius * math.sin(centre + a)) for a in [math.pi * k / 10 for k in range(-2, 3)]]
    inner = [((radius - 4) * x / radius, (radius - 4) * y / radius) for x, y in reversed(outer)]
    s.line(outer + inner)
    for k in range(len(outer) - 1):
        s.piece([outer[k], outer[k + 1], inner[-k - 2], inner[-k - 1]])
    return s  # its boxes are the arc's bounds: what it stops is what it covers


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


# The health bar as the running game draws it over the player: a red rim, green for the health
# that is left, blue behind for what hits took. The help page draws outlines only, so the health
# left is an inset outline of its own inside the rim.
HEALTH_BLUE_FILL = 0xFF7F1F1F


def health_bar():
    """Help page 5's figure: the player with the health bar over its head, two thirds full."""
    s = Shape(0, PLAYER_GREEN, "health: the bar over the player, two thirds full", PLAYER_FILL_DIM)
    s.solid(circle(0, 3, 4, 8, math.pi / 8))                          # head
    s.solid([(-5, -8), (5, -8), (6, -2), (-6, -2)])                   # body
    s.solid([(-5, -8), (-1, -8), (-2, -16), (-6, -16)])               # legs
    s.solid([(1, -8), (5, -8), (6, -16), (2, -16)])
    s.fill.append({"colour": HEALTH_BLUE_FILL, "points": flat(closed(rect(-16, 8, 16, 20)))})
    s.line(rect(-16, 8, 16, 20), colour=RED)                         # the rim
    s.solid(rect(-12, 11, 5, 17), colour=GREEN)                       # the health that is left
    return s.collision(32, 36)


def armour_icon():
    s = Shape(ARMOUR_ICON_SHAPE, CYAN, "armour power-up: a badge")
    badge = [(-10, 10), (10, 10), (10, -2), (0, -13), (-10, -2)]
    s.solid(badge)
    s.line([(0, 8), (0, -9)], close=False, colour=WHITE)
    return s.collision(20, 23)


def fist_icon():
    s = Shape(FIST_ICON_SHAPE, AMBER, "fist power-up: a clenched fist")
    s.solid(rect(-8, -6, 8, 6))
    for k in range(4):
        s.solid(rect(-8 + 4 * k, 6, -4 + 4 * k, 10))
    s.solid([(-8, -6), (-4, -6), (-4, -12), (-8, -12)])
    return s.collision(16, 22)


def fish_icon():
    s = Shape(FISH_ICON_SHAPE, PINK, "fish power-up")
    body = [(-12, 0), (-4, 7), (6, 5), (10, 0), (6, -5), (-4, -7)]
    s.solid(body)
    s.solid([(10, 0), (16, 6), (16, -6)])
    s.line(circle(-6, 2, 1.5, 6), colour=WHITE)
    return s.collision(28, 14)


def power_box():
    """The crate a box carrier holds and drops: walking into it opens it for a power-up."""
    s = Shape(POWER_BOX_SHAPE, WHITE, "power-up box: a crate with straps")
    s.solid(rect(-7, -7, 7, 7))
    s.line([(-7, -7), (7, 7)], close=False, colour=CYAN)
    s.line([(-7, 7), (7, -7)], close=False, colour=CYAN)
    return s.collision(14, 14)


def armour():
    s = Shape(127, CYAN, "player armour: a ring around the player")
    s.line(circle(0, 0, 20, 16))
    s.line(circle(0, 0, 17, 16))
    return s.collision(40, 40)






# Animation ids (the game's AnimId table) of the level's own entities.
MAP_NODE_N, MAP_NODE_S, MAP_NODE_E, MAP_NODE_W, LIFT_NODE = 19, 20, 21, 22, 23
KROMB_CHAINED, PLAYER_ARMOUR, BOSS_NODE = 48, 56, 58
POWUP_BOX, ARMOUR_POWUP, FIST_POWUP, FISH_POWUP = 18, 49, 50, 51
POWER_BOX_SHAPE, ARMOUR_ICON_SHAPE, FIST_ICON_SHAPE, FISH_ICON_SHAPE = 151, 123, 124, 128
# The player's animations by pose and facing.
KROMB = {
    "stand": {"UP": 24, "DN": 25, "LF": 26, "RT": 27},
    "run": {"UP": 28, "DN": 29, "LF": 30, "RT": 31},
    "shield": {"LF": 32, "RT": 33, "UP": 34, "DN": 35},
    "crouch": {"LF": 36, "RT": 37, "UP": 38, "DN": 39},
    "charge": {"LF": 40, "RT": 41, "UP": 42, "DN": 43},
    "punch": {"LF": 44, "RT": 45, "UP": 46, "DN": 47},
}
# A frame with shape -1 hands over to the follow-on at once.
HAND_OVER = (-1, 0, 0)
# The charge's last frame is held while the button is: the longer, the stronger the punch.
CHARGE_HOLD_MS = 100000


def player_animations():
    """Stands follow on to themselves; a run or the shield falls back to the stand, the crouch
    plays into the charge, the charge's release into the punch, the punch back to the stand."""
    animations = []
    for facing in FACINGS:
        shapes = {pose: POSE_SHAPES[pose][facing] for pose in POSE_SHAPES}
        ids = {pose: KROMB[pose][facing] for pose in KROMB}
        animations += [
            animation(ids["stand"], [(shapes["stand"][0], 1000, 0)]),
            animation(ids["run"], [(shapes["run"][0], 150, 0), (shapes["run"][1], 150, 0)], ids["stand"]),
            animation(ids["shield"], [(shapes["shield"][0], 1000, 0)], ids["stand"]),
            animation(ids["crouch"], [(shapes["crouch"][0], 200, 0), HAND_OVER], ids["charge"]),
            animation(ids["charge"], [(shapes["charge"][0], 100, 0), (shapes["charge"][0], CHARGE_HOLD_MS, 0)],
                      ids["punch"]),
            animation(ids["punch"], [(shapes["punch"][0], 150, 0), (shapes["punch"][1], 500, 0), HAND_OVER],
                      ids["stand"]),
        ]
    return sorted(animations, key=lambda entry: entry["id"])


def build():
    lift_shape, boss, prisoner_shape, armour_shape = lift(), boss_node(), prisoner(), armour()
    # Shape 23 is the one that turns as it is drawn: the map node, pointed by its animation's angle.
    map_arrow = terminal()
    players = player_poses()
    shields = [held_shield(facing) for facing in FACINGS]
    robots = robot_shapes.shapes()
    power_ups = [armour_icon(), fist_icon(), fish_icon(), power_box()]
    set0 = [
        *robots,
        map_node(19, "N"), map_node(20, "S"), map_node(21, "E"), boss, map_arrow, lift_shape,
        *players,
        burst(75, WHITE, "punch: the burst of a blow"), shield(), *punch_trails(), *shields,
        prisoner_shape, face(), armour_shape, *power_ups, health_bar(),
    ]
    set1 = [flash(s) for s in [*robots, boss, map_arrow, lift_shape, *players, shield(), *shields, prisoner_shape,
                               armour_shape, *power_ups]]
    # Set 2 by the minimap shape id of each kind of entity: robots by their drawing, map terminals 0.
    set2 = [
        minimap_marker(0, CYAN, "a map terminal", 3, square=True),
        *robot_shapes.minimap_markers(),
        minimap_marker(22, RED, "boss node", 5), minimap_marker(23, WHITE, "map node", 5),
        minimap_marker(24, CYAN, "lift", 6), minimap_marker(25, GREEN, "the player"),
        minimap_marker(121, WHITE, "a prisoner"),
    ]
    animations = [
        # A terminal's angle is the facing of a player reading it: north is the wall toward row y - 1.
        animation(MAP_NODE_N, [(23, 1000, 180)]), animation(MAP_NODE_S, [(23, 1000, 0)]),
        animation(MAP_NODE_E, [(23, 1000, 90)]), animation(MAP_NODE_W, [(23, 1000, 270)]),
        animation(LIFT_NODE, [(24, 1000, 0)]),
        *player_animations(),
        animation(KROMB_CHAINED, [(121, 1000, 0)]), animation(PLAYER_ARMOUR, [(127, 1000, 0)]),
        animation(BOSS_NODE, [(22, 1000, 0)]),
        *robot_shapes.animations(),
        animation(POWUP_BOX, [(POWER_BOX_SHAPE, 1000, 0)]), animation(ARMOUR_POWUP, [(ARMOUR_ICON_SHAPE, 1000, 0)]),
        animation(FIST_POWUP, [(FIST_ICON_SHAPE, 1000, 0)]), animation(FISH_POWUP, [(FISH_ICON_SHAPE, 1000, 0)]),
    ]
    animations.sort(key=lambda entry: entry["id"])
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
