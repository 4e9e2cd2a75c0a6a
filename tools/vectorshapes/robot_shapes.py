"""The robots' drawings: every frame each robot kind shows, their flash looks, their minimap
markers and their animations. Each kind has one dominant colour and its own outline, so that a
player tells the kinds apart at a glance; the three short zappers share a colour as one family.

The animation ids below 60 are the game's named drawing ids, which its code switches between (the
bezerk's and vincent's walks, the tower's rising and lowering, the spinner's turn, the fish's
heading); the robot data (tools/robotkinds/make_robots.py) names the first animation of each kind.
"""

import math

from shape_kit import AMBER, PINK, RED, WHITE, Shape, animation, circle, minimap_marker, mirror_x, rect

ORANGE = 0xFF6A10FF
YELLOW = 0xFFE840FF
MAGENTA = 0xFF40E0FF
VIOLET = 0xA070FFFF
CORAL = 0xFF5A48FF
CRIMSON = 0xFF2878FF
BLUE = 0x5A8CFFFF
LEMON = 0xF0FF80FF
APRICOT = 0xFFA060FF
BOSS_RED = 0xFF2038FF

# Drawing (animation) ids.
ROBOT0, BEZERK_STAND, BEZERK_MOVE, TRON, SCANNER, SECURITY = 1, 2, 3, 4, 5, 6
TOWER, TOWER_PAD, TOWER_RISE, TOWER_LOWER, TOWER_RISEN = 7, 8, 9, 10, 11
SPINNER_CW, SPINNER_CCW, VINCENT_STAND, VINCENT_MOVE, MAXIMILLIAN, CLAWER = 12, 13, 14, 15, 16, 17
FISH_W, FISH_E, FISH_N, FISH_S, OCTO_BULLET = 52, 53, 54, 55, 57
# Drawings of kinds the named table has no name for.
ZAPPER_FORK, ZAPPER_COIL, ZAPPER_ORB, WARDEN, BOSS = 60, 61, 62, 63, 64

# Shape ids. 1, 4, 8 and 16 are also drawn by the help pages (a robot, a tower pad, a spinner).
SENTRY_SHAPE, TRON_SHAPE, TOWER_PAD_SHAPE, SPINNER_SHAPE = 1, 4, 8, 16
BEZERK_STAND_SHAPE, BEZERK_MOVE_SHAPE, CARRIER_SHAPE, SECURITY_SHAPE = 130, 131, 132, 133
TOWER_HALF_SHAPE, TOWER_RISEN_SHAPE, TOWER_FIRING_SHAPE, MAXIMILLIAN_SHAPE = 134, 135, 136, 137
VINCENT_STAND_SHAPE, VINCENT_MOVE_SHAPE = 138, 139
ZAPPER_FORK_SHAPE, ZAPPER_COIL_SHAPE, ZAPPER_ORB_SHAPE, WARDEN_SHAPE, CLAWER_SHAPE = 140, 141, 142, 143, 144
FISH_SHAPES = {"W": 145, "E": 146, "N": 147, "S": 148}
BULLET_SHAPE, BOSS_SHAPE = 149, 150


def turned(points, angle):
    c, s = math.cos(angle), math.sin(angle)
    return [(x * c - y * s, x * s + y * c) for x, y in points]


def sentry():
    s = Shape(SENTRY_SHAPE, AMBER, "sentry: a box on legs with one eye")
    s.solid(rect(-10, -6, 10, 10))
    s.line(rect(-6, 2, 6, 6), colour=RED)
    s.solid([(-9, -6), (-5, -6), (-7, -14), (-11, -14)])
    s.solid([(5, -6), (9, -6), (11, -14), (7, -14)])
    s.line([(0, 10), (0, 15)], close=False)
    return s.collision(20, 28)


def bezerk(ident, moving):
    """A squat horned brute; walking, its legs stride and its fists come up."""
    s = Shape(ident, RED, "bezerk " + ("moving" if moving else "standing"))
    s.solid([(-11, -4), (11, -4), (8, 9), (-8, 9)])                     # body
    s.solid([(-8, 9), (-12, 16), (-4, 9)])                               # horns
    s.solid([(8, 9), (12, 16), (4, 9)])
    s.line([(-6, 4), (-2, 2), (2, 2), (6, 4)], close=False, colour=WHITE)  # angry brow
    if moving:
        s.solid([(-9, -4), (-4, -4), (-10, -15), (-14, -13)])
        s.solid([(4, -4), (9, -4), (14, -13), (10, -15)])
        s.solid(rect(-17, 4, -11, 10))
        s.solid(rect(11, 4, 17, 10))
    else:
        s.solid([(-8, -4), (-3, -4), (-4, -15), (-9, -15)])
        s.solid([(3, -4), (8, -4), (9, -15), (4, -15)])
        s.solid(rect(-16, -6, -11, 1))
        s.solid(rect(11, -6, 16, 1))
    return s.collision(22, 30)


def tron():
    s = Shape(TRON_SHAPE, ORANGE, "tron: a hunting diamond with a core")
    s.solid([(0, -15), (12, 0), (0, 15), (-12, 0)])
    s.line([(0, -6), (5, 0), (0, 6), (-5, 0)], colour=WHITE)
    s.line([(-16, 0), (-12, 0)], close=False)
    s.line([(12, 0), (16, 0)], close=False)
    return s.collision(20, 26)


def carrier():
    """A low cart on treads with a cradle; the power-up box it carries sits in the cradle."""
    s = Shape(CARRIER_SHAPE, YELLOW, "box carrier: a cart on treads with a cradle")
    # The box (14 units square, drawn at its own scale on the carrier's centre) fits the cradle.
    s.solid(rect(-15, -18, 15, -11))                                     # treads
    s.solid([(-15, -11), (-10, -11), (-10, 10), (-15, 7)])               # cradle sides
    s.solid([(10, -11), (15, -11), (15, 7), (10, 10)])
    s.line(rect(-10, -11, 10, -9))                                       # cradle floor
    for x in (-10, 0, 10):
        s.line(circle(x, -14.5, 2, 6), colour=AMBER)
    return s.collision(28, 28)


def security():
    """A hexagonal guard with a visor; drawn unfilled, a ghost that slips through other robots."""
    s = Shape(SECURITY_SHAPE, VIOLET, "security: a hollow hexagon with a visor")
    s.line(circle(0, 0, 14, 6, math.pi / 2))
    s.line(circle(0, 0, 10, 6, math.pi / 2))
    s.line(rect(-7, 2, 7, 6), colour=WHITE)
    return s.collision(24, 28)


def tower_pad():
    s = Shape(TOWER_PAD_SHAPE, AMBER, "tower pad: the hatch a tower rises from")
    s.solid(circle(0, 0, 13, 8, math.pi / 8))
    s.line(circle(0, 0, 7, 8, math.pi / 8), colour=RED)
    s.line([(-13, 0), (13, 0)], close=False)
    return s.collision(24, 24)


def tower(ident, height, firing=False):
    """The tower standing up out of its pad, part way (height 0..1) or whole."""
    note = "tower " + ("firing" if firing else "risen" if height >= 1 else "rising")
    s = Shape(ident, CORAL, note)
    s.solid(rect(-13, -14, 13, -9), colour=AMBER)                       # the pad seen edge on
    top = -9 + 24 * height
    s.solid([(-8, -9), (8, -9), (5, top), (-5, top)])
    if height >= 1:
        s.solid(rect(-8, top, 8, top + 4))                               # the turret
        s.line(rect(-3, top - 6, 3, top - 2), colour=WHITE if firing else RED)
        if firing:
            s.line([(-12, top + 7), (-6, top + 4)], close=False, colour=WHITE)
            s.line([(12, top + 7), (6, top + 4)], close=False, colour=WHITE)
            s.line([(0, top + 4), (0, top + 9)], close=False, colour=WHITE)
    return s.collision(24, 24)


def spinner():
    """Three bent blades round a hub; its animations turn it."""
    s = Shape(SPINNER_SHAPE, MAGENTA, "spinner: three bent blades round a hub")
    blade = [(2, 2), (6, 14), (14, 14), (5, -2)]
    for k in range(3):
        s.solid(turned(blade, 2 * math.pi * k / 3))
    s.solid(circle(0, 0, 5, 6))
    s.line(circle(0, 0, 2, 6), colour=WHITE)
    return s.collision(24, 24)


def maximillian():
    """A broad heavy walker with shoulder cannons."""
    s = Shape(MAXIMILLIAN_SHAPE, CRIMSON, "maximillian: a broad walker with shoulder cannons")
    s.solid([(-12, -6), (12, -6), (14, 8), (-14, 8)])
    s.solid(rect(-18, 4, -12, 12))
    s.solid(rect(12, 4, 18, 12))
    s.line([(-15, 12), (-15, 16)], close=False, colour=WHITE)
    s.line([(15, 12), (15, 16)], close=False, colour=WHITE)
    s.solid([(-10, -6), (-3, -6), (-5, -16), (-12, -16)])
    s.solid([(3, -6), (10, -6), (12, -16), (5, -16)])
    s.line([(-6, 2), (6, 2)], close=False, colour=WHITE)
    return s.collision(28, 30)


def vincent(ident, moving):
    """A tall thin walker with a round head on a neck and an antenna."""
    s = Shape(ident, BLUE, "vincent " + ("moving" if moving else "standing"))
    s.solid(circle(0, 10, 5, 8, math.pi / 8))
    s.line([(0, 15), (0, 19)], close=False)
    s.line(circle(0, 20, 1.5, 6), colour=WHITE)
    s.solid([(-4, -4), (4, -4), (5, 5), (-5, 5)])
    stride = 6 if moving else 1
    s.solid([(-3, -4), (0, -4), (-stride, -16), (-stride - 3, -16)])
    s.solid([(0, -4), (3, -4), (stride + 3, -16), (stride, -16)])
    arm = 3 if moving else -6
    s.line([(-5, 4), (-10, arm)], close=False)
    s.line([(5, 4), (10, -arm)], close=False)
    s.line([(-2, 10), (2, 10)], close=False, colour=WHITE)
    return s.collision(14, 32)


def zapper_fork():
    s = Shape(ZAPPER_FORK_SHAPE, LEMON, "fork zapper: a triangle with two prongs")
    s.solid([(-10, -10), (10, -10), (0, 6)])
    s.line([(-4, 0), (-8, 12), (-5, 12)], close=False)
    s.line([(4, 0), (8, 12), (5, 12)], close=False)
    s.line(circle(0, -4, 2, 6), colour=WHITE)
    return s.collision(20, 20)


def zapper_coil():
    s = Shape(ZAPPER_COIL_SHAPE, LEMON, "coil zapper: a box with a coil on top")
    s.solid(rect(-9, -10, 9, 2))
    s.line([(-6, 2), (6, 5), (-6, 8), (6, 11), (-6, 14)], close=False)
    s.line(rect(-4, -6, 4, -2), colour=WHITE)
    return s.collision(18, 24)


def zapper_orb():
    s = Shape(ZAPPER_ORB_SHAPE, LEMON, "orb zapper: a ball with three spikes")
    s.solid(circle(0, 0, 7, 8))
    for k in range(3):
        a = math.pi / 2 + 2 * math.pi * k / 3
        s.solid([(5 * math.cos(a - 0.5), 5 * math.sin(a - 0.5)), (14 * math.cos(a), 14 * math.sin(a)),
                 (5 * math.cos(a + 0.5), 5 * math.sin(a + 0.5))])
    s.line(circle(0, 0, 2.5, 6), colour=WHITE)
    return s.collision(18, 18)


def warden():
    """The robot sent after a rescue: a guard with a siren on its head."""
    s = Shape(WARDEN_SHAPE, WHITE, "warden: a guard with a siren")
    s.solid([(-9, -6), (9, -6), (7, 8), (-7, 8)])
    s.solid(rect(-4, 8, 4, 13), colour=RED)
    s.line([(-8, 14), (-5, 11)], close=False, colour=RED)
    s.line([(8, 14), (5, 11)], close=False, colour=RED)
    s.solid([(-8, -6), (-4, -6), (-5, -16), (-9, -16)])
    s.solid([(4, -6), (8, -6), (9, -16), (5, -16)])
    s.line(rect(-5, 1, 5, 4), colour=RED)
    return s.collision(18, 30)


def clawer():
    """A crab-like body with two pincers reaching up: it clings to the player."""
    s = Shape(CLAWER_SHAPE, APRICOT, "clawer: a crab with raised pincers")
    s.solid(circle(0, -4, 8, 8, math.pi / 8))
    claw = [(-6, 2), (-13, 10), (-10, 16), (-7, 11), (-4, 14), (-9, 6)]
    s.line(claw)
    s.piece(claw[:2] + claw[-1:])
    s.line(mirror_x(claw))
    s.piece(mirror_x(claw[:2] + claw[-1:]))
    for x in (-7, 7):
        s.line([(x * 0.8, -9), (x * 1.6, -15)], close=False)
    s.line([(-3, -2), (-1, -2)], close=False, colour=WHITE)
    s.line([(1, -2), (3, -2)], close=False, colour=WHITE)
    return s.collision(20, 28)


def fish(facing):
    """The friendly fish, heading west, east, north or south."""
    s = Shape(FISH_SHAPES[facing], PINK, "fish heading " + facing)
    body = [(-12, 0), (-4, 7), (6, 5), (10, 0), (6, -5), (-4, -7)]
    tail = [(10, 0), (16, 6), (16, -6)]
    eye = circle(-6, 2, 1.5, 6)
    angle = {"W": 0.0, "E": math.pi, "N": -math.pi / 2, "S": math.pi / 2}[facing]
    if facing == "E":
        # Mirrored rather than turned, so that the fish stays upright.
        body, tail, eye = mirror_x(body), mirror_x(tail), mirror_x(eye)
        angle = 0.0
    s.solid(turned(body, angle))
    s.solid(turned(tail, angle))
    s.line(turned(eye, angle), colour=WHITE)
    return s.collision(28, 14) if facing in ("W", "E") else s.collision(14, 28)


def boss_bullet():
    s = Shape(BULLET_SHAPE, RED, "boss bullet: an octagon with a hot core")
    s.solid(circle(0, 0, 8, 8, math.pi / 8))
    s.line(circle(0, 0, 4, 8, math.pi / 8), colour=WHITE)
    return s.collision(14, 14)


def boss():
    """The maze's master: a crowned fortress with a great eye and two arms."""
    s = Shape(BOSS_SHAPE, BOSS_RED, "boss: a crowned fortress with one great eye")
    s.solid([(-14, -10), (14, -10), (12, 8), (-12, 8)])
    s.solid([(-12, 8), (-12, 15), (-7, 11)])                            # the crown's points
    s.solid([(-5, 8), (0, 16), (5, 8)])
    s.solid([(12, 8), (12, 15), (7, 11)])
    s.solid([(-14, 4), (-20, -2), (-18, -12), (-14, -6)])                # arms
    s.solid([(14, 4), (20, -2), (18, -12), (14, -6)])
    s.solid(rect(-12, -16, -4, -10))                                     # feet
    s.solid(rect(4, -16, 12, -10))
    s.line(circle(0, 0, 5, 10), colour=WHITE)
    s.line(circle(0, 0, 2, 6), colour=WHITE)
    return s.collision(28, 30)


def shapes():
    """Every robot frame shape, in set 0."""
    return [
        sentry(), bezerk(BEZERK_STAND_SHAPE, False), bezerk(BEZERK_MOVE_SHAPE, True), tron(), carrier(),
        security(), tower_pad(), tower(TOWER_HALF_SHAPE, 0.5), tower(TOWER_RISEN_SHAPE, 1.0),
        tower(TOWER_FIRING_SHAPE, 1.0, firing=True), spinner(), maximillian(),
        vincent(VINCENT_STAND_SHAPE, False), vincent(VINCENT_MOVE_SHAPE, True),
        zapper_fork(), zapper_coil(), zapper_orb(), warden(), clawer(),
        *[fish(facing) for facing in FISH_SHAPES], boss_bullet(), boss(),
    ]


# The spinner turns a full round in this many frames of this many milliseconds.
SPIN_FRAMES, SPIN_FRAME_MS = 12, 40
# The tower takes this long for each step of rising or lowering.
TOWER_STEP_MS = 150


def animations():
    spin = [(SPINNER_SHAPE, SPIN_FRAME_MS, 360 * k // SPIN_FRAMES) for k in range(SPIN_FRAMES)]
    return [
        animation(ROBOT0, [(SENTRY_SHAPE, 1000, 0)]),
        animation(BEZERK_STAND, [(BEZERK_STAND_SHAPE, 1000, 0)]),
        animation(BEZERK_MOVE, [(BEZERK_MOVE_SHAPE, 150, 0), (BEZERK_STAND_SHAPE, 150, 0)]),
        animation(TRON, [(TRON_SHAPE, 1000, 0)]),
        animation(SCANNER, [(CARRIER_SHAPE, 1000, 0)]),
        animation(SECURITY, [(SECURITY_SHAPE, 1000, 0)]),
        animation(TOWER, [(TOWER_FIRING_SHAPE, 100, 0), (TOWER_RISEN_SHAPE, 100, 0)]),
        animation(TOWER_PAD, [(TOWER_PAD_SHAPE, 1000, 0)]),
        animation(TOWER_RISE, [(TOWER_HALF_SHAPE, TOWER_STEP_MS, 0), (TOWER_RISEN_SHAPE, TOWER_STEP_MS, 0)],
                  TOWER_RISEN),
        animation(TOWER_LOWER, [(TOWER_HALF_SHAPE, TOWER_STEP_MS, 0), (TOWER_PAD_SHAPE, TOWER_STEP_MS, 0)],
                  TOWER_PAD),
        animation(TOWER_RISEN, [(TOWER_RISEN_SHAPE, 1000, 0)]),
        # Angles turn the drawing clockwise as they grow.
        animation(SPINNER_CW, spin),
        animation(SPINNER_CCW, [(shape, ms, (360 - angle) % 360) for shape, ms, angle in spin]),
        animation(VINCENT_STAND, [(VINCENT_STAND_SHAPE, 1000, 0)]),
        animation(VINCENT_MOVE, [(VINCENT_MOVE_SHAPE, 200, 0), (VINCENT_STAND_SHAPE, 200, 0)]),
        animation(MAXIMILLIAN, [(MAXIMILLIAN_SHAPE, 1000, 0)]),
        animation(CLAWER, [(CLAWER_SHAPE, 1000, 0)]),
        *[animation(ident, [(FISH_SHAPES[facing], 1000, 0)])
          for ident, facing in ((FISH_W, "W"), (FISH_E, "E"), (FISH_N, "N"), (FISH_S, "S"))],
        animation(OCTO_BULLET, [(BULLET_SHAPE, 1000, 0)]),
        animation(ZAPPER_FORK, [(ZAPPER_FORK_SHAPE, 1000, 0)]),
        animation(ZAPPER_COIL, [(ZAPPER_COIL_SHAPE, 1000, 0)]),
        animation(ZAPPER_ORB, [(ZAPPER_ORB_SHAPE, 1000, 0)]),
        animation(WARDEN, [(WARDEN_SHAPE, 1000, 0)]),
        animation(BOSS, [(BOSS_SHAPE, 1000, 0)]),
    ]


def minimap_markers():
    """Set 2, by the shape a kind shows first: the minimap keeps that shape for the robot."""
    return [
        minimap_marker(SENTRY_SHAPE, AMBER, "sentry"), minimap_marker(BEZERK_STAND_SHAPE, RED, "bezerk"),
        minimap_marker(TRON_SHAPE, ORANGE, "tron"), minimap_marker(CARRIER_SHAPE, YELLOW, "box carrier", square=True),
        minimap_marker(SECURITY_SHAPE, VIOLET, "security"), minimap_marker(TOWER_PAD_SHAPE, CORAL, "tower", square=True),
        minimap_marker(SPINNER_SHAPE, MAGENTA, "spinner", 3), minimap_marker(MAXIMILLIAN_SHAPE, CRIMSON, "maximillian", 5),
        minimap_marker(VINCENT_STAND_SHAPE, BLUE, "vincent"), minimap_marker(ZAPPER_FORK_SHAPE, LEMON, "zapper", 3),
        minimap_marker(ZAPPER_COIL_SHAPE, LEMON, "zapper", 3), minimap_marker(ZAPPER_ORB_SHAPE, LEMON, "zapper", 3),
        minimap_marker(WARDEN_SHAPE, WHITE, "warden"), minimap_marker(CLAWER_SHAPE, APRICOT, "clawer", 3),
        minimap_marker(FISH_SHAPES["W"], PINK, "fish", 3), minimap_marker(BULLET_SHAPE, RED, "boss bullet", 2),
        minimap_marker(BOSS_SHAPE, BOSS_RED, "boss", 7),
    ]
