#!/usr/bin/env python3
"""Writes the robot kinds (data/robots.json, schema data/Robots.fbs) and the robots each level
spawns (the "robots" lists of the levels in data/config.json; the rest of that file is left as it
stands).

A kind is its drawing (the animation ids of tools/vectorshapes/robot_shapes.py), its body (health,
mass, speed), its walk and scan behaviours, its weapon and its sound. The game singles out some
kinds by number, so those numbers keep their meaning: 4 carries a power-up box, 5 bounces off
walls and hurts on contact, 6 passes through other robots, 7 and 8 (with 6) flash one way when
hit, 10 to 12 are the short zappers that a hit stuns only briefly, 13 is sent after a rescue,
14 clings to the player, 15 is the player's fish, 16 the boss's bullet and 17 the boss.

Levels are played from the last entry of the list down to level 0, the boss level; each level
holds more robots, and more kinds, than the one before it.

Run from the repository root:  python3 tools/robotkinds/make_robots.py
"""

import json
import math
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "vectorshapes"))
import robot_shapes as drawing  # noqa: E402

# Robot sound ids (data/config.json's game.sounds), each looping while its robot is near.
MARCH, WHIRR, ALARM, DRONE, TOWER_HUM, CRACKLE, SKITTER, SWIM, BOSS_THROB, WHISTLE = range(60, 70)

# Weapon kinds.
BEAM, LIGHTNING, PARTICLES, BEAM_AND_PARTICLES = 1, 2, 3, 4

SENTRY, BEZERK, TRON, CARRIER, SPINNER, SECURITY, TOWER, MAXIMILLIAN, VINCENT = range(1, 10)
ZAPPER_FORK, ZAPPER_COIL, ZAPPER_ORB, WARDEN, CLAWER, FISH, BOSS_BULLET, BOSS = range(10, 18)


def scanning(scan, interval, refire, attention=2500, sight=7):
    """A scan behaviour with its timing: robots scan and fire only while recently on screen."""
    return {"scan": scan, "scan_interval": interval, "refire_interval": refire, "attention_window": attention,
            "sight_range": sight}


def kinds():
    return [
        dict(type=SENTRY, animation=drawing.ROBOT0, scale=0.8, health=40, mass=1.0, walk="MazeWalk", speed=1.5,
             **scanning("NSEWScan", 400, 2500, sight=6), weapon=BEAM, beam_type=1, muzzle_y=4, sound=MARCH),
        dict(type=BEZERK, animation=drawing.BEZERK_STAND, scale=0.8, health=60, mass=1.2, targets_player=True,
             footstep_memory=6, footstep_speed=3, walk="StandFollowWalk", speed=2.5,
             **scanning("FullDirScan", 600, 1500), weapon=PARTICLES, particle_def=9, fires_while_walking=True,
             muzzle_x=8, muzzle_y=4, sound=ALARM),
        dict(type=TRON, animation=drawing.TRON, scale=0.8, health=50, mass=1.0, targets_player=True,
             walk="StarWalk", path_search_steps=40, path_limit=8, speed=2.0,
             **scanning("FullDirScan", 700, 2500), weapon=LIGHTNING, strike_type=1, sound=DRONE),
        dict(type=CARRIER, animation=drawing.SCANNER, scale=0.8, health=40, mass=1.5, walk="EdgeWalk", speed=1.5,
             **scanning("NSEWScan", 800, 3000, sight=5), weapon=PARTICLES, particle_def=9, muzzle_y=2, sound=MARCH),
        dict(type=SPINNER, animation=drawing.SPINNER_CW, scale=0.7, health=20, mass=0.8, walk="WallBounce",
             speed=3.0, sound=WHIRR),
        dict(type=SECURITY, animation=drawing.SECURITY, filled=False, scale=0.8, health=80, mass=1.5,
             targets_player=True, footstep_memory=8, footstep_speed=2.5, walk="FootAndStarWalk",
             path_search_steps=30, path_limit=6, speed=2.0, **scanning("NSEWScan", 500, 2500),
             weapon=BEAM, beam_type=6, muzzle_y=4, sound=ALARM),
        # Towers stand on their pads: with no speed, a blow hurts them but does not shift them.
        dict(type=TOWER, animation=drawing.TOWER_PAD, scale=0.9, health=100, mass=20, walk="StationaryWalk",
             **scanning("NSEWTowerScan", 300, 2000, sight=8), weapon=BEAM, beam_type=2, muzzle_y=10,
             sound=TOWER_HUM),
        dict(type=MAXIMILLIAN, animation=drawing.MAXIMILLIAN, scale=0.9, health=150, mass=3.0, walk="MazeWalk",
             speed=1.2, **scanning("FullDirScan", 800, 3000), weapon=BEAM_AND_PARTICLES, beam_type=3,
             particle_def=12, muzzle_x=14, muzzle_y=12, sound=MARCH),
        dict(type=VINCENT, animation=drawing.VINCENT_STAND, scale=0.8, health=60, mass=1.0, targets_player=True,
             footstep_memory=10, footstep_speed=2.5, walk="StandFollowWalk", speed=2.0,
             **scanning("FullDirScan", 700, 2000), weapon=PARTICLES, particle_def=10, muzzle_y=10, sound=DRONE),
        dict(type=ZAPPER_FORK, animation=drawing.ZAPPER_FORK, scale=0.7, health=25, mass=0.7, walk="MazeWalk",
             speed=2.5, **scanning("NSEWScan", 300, 800, sight=3), weapon=LIGHTNING, strike_type=3, muzzle_y=8,
             fires_while_walking=True, sound=CRACKLE),
        dict(type=ZAPPER_COIL, animation=drawing.ZAPPER_COIL, scale=0.7, health=30, mass=0.8, walk="EdgeWalk",
             speed=2.5, **scanning("FullDirScan", 300, 800, sight=3), weapon=LIGHTNING, strike_type=3, muzzle_y=10,
             fires_while_walking=True, sound=CRACKLE),
        dict(type=ZAPPER_ORB, animation=drawing.ZAPPER_ORB, scale=0.7, health=20, mass=0.6, targets_player=True,
             walk="StarWalk", path_search_steps=30, path_limit=6, speed=3.0,
             **scanning("FullDirScan", 250, 700, sight=2), weapon=LIGHTNING, strike_type=3,
             fires_while_walking=True, sound=CRACKLE),
        dict(type=WARDEN, animation=drawing.WARDEN, scale=0.8, health=80, mass=1.5, targets_player=True,
             footstep_memory=0, footstep_speed=3, walk="FootAndStarWalk", path_search_steps=40, speed=2.5,
             **scanning("FullDirScan", 600, 2500), weapon=BEAM, beam_type=4, muzzle_y=4, sound=ALARM),
        dict(type=CLAWER, animation=drawing.CLAWER, scale=0.7, health=30, mass=0.8, targets_player=True,
             footstep_memory=5, footstep_speed=3, walk="FootAndStarWalk", path_search_steps=30, speed=2.8,
             sound=SKITTER),
        dict(type=FISH, animation=drawing.FISH_W, scale=0.8, health=100, mass=1.0, walk="FishWalk", speed=2.5,
             **scanning("FishScan", 300, 800, attention=5000), weapon=BEAM, beam_type=1, sound=SWIM),
        dict(type=BOSS_BULLET, animation=drawing.OCTO_BULLET, scale=1.0, health=1, mass=1.0,
             walk="BossBulletWalk", speed=5.0, sound=WHISTLE),
        # Heavy enough that no punch moves it; charged at a boss node, a player takes it apart in a
        # handful of blows.
        dict(type=BOSS, animation=drawing.BOSS, scale=1.6, health=600, mass=20, targets_player=True,
             walk="MazeWalk", speed=1.0, **scanning("BossScan", 1500, 0, attention=4000), muzzle_y=20,
             sound=BOSS_THROB),
    ]


# Each level's robots as (kind, count), from the boss level 0 to the first level played (the last).
LEVEL_ROBOTS = [
    [(SPINNER, 4), (TOWER, 2), (ZAPPER_ORB, 2)],
    [(SENTRY, 9), (BEZERK, 6), (SPINNER, 6), (TOWER, 6), (ZAPPER_FORK, 3), (ZAPPER_COIL, 3), (ZAPPER_ORB, 3),
     (CLAWER, 4), (VINCENT, 4), (TRON, 4), (SECURITY, 3), (MAXIMILLIAN, 3), (CARRIER, 4)],
    [(SENTRY, 6), (BEZERK, 4), (SPINNER, 4), (TOWER, 4), (ZAPPER_FORK, 2), (ZAPPER_COIL, 2), (ZAPPER_ORB, 2),
     (CLAWER, 3), (VINCENT, 3), (TRON, 3), (SECURITY, 2), (MAXIMILLIAN, 2), (CARRIER, 3)],
    [(SENTRY, 6), (BEZERK, 4), (SPINNER, 4), (TOWER, 3), (ZAPPER_FORK, 1), (ZAPPER_COIL, 1), (ZAPPER_ORB, 2),
     (CLAWER, 2), (VINCENT, 2), (TRON, 2), (SECURITY, 2), (MAXIMILLIAN, 1), (CARRIER, 2)],
    [(SENTRY, 4), (BEZERK, 3), (SPINNER, 3), (TOWER, 2), (ZAPPER_COIL, 2), (CLAWER, 2), (VINCENT, 2), (TRON, 1),
     (SECURITY, 1), (CARRIER, 2)],
    [(SENTRY, 4), (BEZERK, 2), (SPINNER, 2), (TOWER, 2), (ZAPPER_FORK, 1), (ZAPPER_COIL, 1), (CLAWER, 1),
     (VINCENT, 1), (CARRIER, 1)],
    [(SENTRY, 4), (BEZERK, 1), (SPINNER, 2), (TOWER, 1), (ZAPPER_FORK, 2), (CARRIER, 1)],
    [(SENTRY, 3), (SPINNER, 1), (ZAPPER_FORK, 1), (CARRIER, 1)],
    [(SENTRY, 2), (CARRIER, 1)],
]
# The boss waits in the middle of its level, away from the start and the boss nodes.
BOSS_CELL = (6, 4)


def spawns(robots, wide, high):
    """Spreads each kind's robots over the maze: n robots of a kind go one to a band of a grid of
    bands, so that they do not crowd one corner."""
    entries = []
    for kind, count in robots:
        bands = min(math.ceil(math.sqrt(count)), wide, high)
        for i in range(count):
            if bands == 1:
                entries.append({"type": kind})
                continue
            entries.append({"type": kind, "column_sections": bands, "row_sections": bands,
                            "column_section": i % bands, "row_section": (i // bands) % bands})
    return entries


def level_spawns(level, index):
    entries = spawns(LEVEL_ROBOTS[index], level["cells_wide"], level["cells_high"])
    if index == 0:
        entries.insert(0, {"type": BOSS, "x": BOSS_CELL[0], "y": BOSS_CELL[1]})
    return entries


def write_spawns(config_path):
    """Replaces each level's robot list in place, one entry a line, keeping the file's own layout."""
    with open(config_path) as f:
        text = f.read()
    levels = json.loads(text)["game"]["levels"]
    if len(levels) != len(LEVEL_ROBOTS):
        sys.exit(f"{config_path}: game.levels has {len(levels)} levels, LEVEL_ROBOTS {len(LEVEL_ROBOTS)}")
    lists = re.compile(r'( *)"robots": \[.*?\n\1\]', re.S)
    matches = list(lists.finditer(text))
    if len(matches) != len(levels):
        sys.exit(f"{config_path}: {len(matches)} robot lists found for {len(levels)} levels")
    pieces, last = [], 0
    for index, match in enumerate(matches):
        indent = match.group(1)
        lines = [indent + "  " + json.dumps(entry) for entry in level_spawns(levels[index], index)]
        pieces += [text[last:match.start()], indent + '"robots": [\n' + ",\n".join(lines) + "\n" + indent + "]"]
        last = match.end()
    pieces.append(text[last:])
    with open(config_path, "w") as f:
        f.write("".join(pieces))


def write_kinds(path):
    with open(path, "w") as f:
        f.write("// Generated by tools/robotkinds/make_robots.py; edit the generator, not this file.\n")
        f.write('{"robots": [\n' + ",\n".join("  " + json.dumps(kind) for kind in kinds()) + "\n]}\n")


def main():
    write_kinds(os.path.join("data", "robots.json"))
    write_spawns(os.path.join("data", "config.json"))


if __name__ == "__main__":
    main()
