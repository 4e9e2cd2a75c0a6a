#!/usr/bin/env python3
"""Writes the method picker's three input files (data/INPUT-METHOD-PICK.json,
data/PICK-SWITCH-OR-HEAD.json, data/PICK-SWITCH.json; schema data/InputConfig.fbs).

Each page is a question and a column of choices. A key player waits until the picker starts
lighting the choices in turn, taps to move on and holds to take one; a switch player does the
same with joypad button 1; a pointer player clicks a choice or rests on it. "PICK" and
"PICK-SWITCH" open the next page, an input method's name ends the picker, Escape quits.

The look: light on black. The question in pink, the hints in green, the choices as dark teal
boxes with cyan words; the lit choice is a brighter box with white words of the same size and
face, so nothing moves as the light passes. Countdowns fill the lit box from its top, teal for
"moving on", violet for "taking it", and stay dark enough for white words to read over them.
Sizes are in percent of the window and of the design font size, so the page reads the same
from 400 x 300 to full HD.

Run from the repository root:  python3 tools/pickerpages/make_picker_pages.py
"""

import json
import os

# Text colours, 0xRRGGBBAA.
PINK = "0xffb2ffff"
CYAN = "0x73d9e7ff"
GREEN = "0x7fdf8fff"
WHITE = "0xffffffff"
# Box and countdown fills, opaque so that what they show does not depend on what lies below.
BOX = "0x0a262cff"
LIT_BOX = "0x165e6cff"
MOVING_ON = 0x1F7482FF
TAKING_IT = 0x6A2C7AFF

# The choices light in turn by a timer, and every step would start a cool-down: a one-key
# player who presses as the light arrives would lose the press.
COOL_DOWN_MS = 0
START_SCAN_MS = 1500  # rest before the choices start to light in turn
SCAN_STEP_MS = 2000
DWELL_MS = 1500
HOLD_MS = 1000

SELECT_KEYS = [{"type": "KEY", "key": "KEY_SPACE"}, {"type": "KEY", "key": "KEY_RETURN"},
               {"type": "KEY", "key": "KEY_KP_ENTER"}, {"type": "JPAD", "joypad": 256}]
NEXT_KEYS = [{"type": "KEY", "key": "KEY_DOWN"}, {"type": "KEY", "key": "KEY_RIGHT"}]
PREV_KEYS = [{"type": "KEY", "key": "KEY_UP"}, {"type": "KEY", "key": "KEY_LEFT"}]

# Short lines: they must not wrap where the window is narrow for its height (4:3).
HINT = ("Hold space or return on a lit choice\n"
        "to take it, or tap to move on.\n"
        "Rest the pointer on a choice, or click.")

# Layout, in percent of the window.
MARGIN_X = 8
TITLE_TOP, TITLE_HEIGHT = 2.5, 10
HINT_TOP, HINT_HEIGHT = 12.5, 15.5
CHOICES_TOP, CHOICES_BOTTOM, CHOICE_GAP = 29.5, 96.5, 2.5
# Text sizes, in design font sizes.
TITLE_SIZE = 2.0
HINT_SIZE = 1.15
CHOICE_SIZE = 1.4

PAGES = [
    ("INPUT-METHOD-PICK.json",
     "The first question of a first start: keyboard and mouse, or another way to play.",
     "HOW DO YOU WANT TO PLAY?",
     [("STANDARD", "STANDARD", "KEYBOARD AND MOUSE\nor a joypad"),
      ("PICK", "PICK", "ANOTHER WAY\none key, a switch or a head tracker")]),
    ("PICK-SWITCH-OR-HEAD.json",
     "Ways to play without keyboard and mouse: a head tracker or a single key or switch.",
     "ANOTHER WAY TO PLAY",
     [("HEADTRACKER", "HEADTRACKER", "HEAD TRACKER\nrest the pointer to choose and steer"),
      ("PICK-SWITCH", "PICK-SWITCH", "ONE KEY OR SWITCH\neverything with a single button"),
      ("STANDARD", "STANDARD", "KEYBOARD AND MOUSE\nafter all")]),
    ("PICK-SWITCH.json",
     "Playing with a single key or switch: the choices are lit in turn, or tap and hold.",
     "ONE KEY OR SWITCH",
     [("ONEKEY", "ONEKEY", "ONE KEY\npress while your choice is lit"),
      ("ONESWITCH", "ONESWITCH", "ONE SWITCH\ntap to move on, hold to choose"),
      ("HEADTRACKER", "HEADTRACKER", "HEAD TRACKER\nrest the pointer to choose and steer"),
      ("STANDARD", "STANDARD", "KEYBOARD AND MOUSE\nafter all")]),
]


def rect(x, y, width, height):
    return {"x": round(x, 2), "y": round(y, 2), "width": round(width, 2), "height": round(height, 2)}


def style(colour, size, font="DEFAULT"):
    return "%s,%g,%s" % (colour, size, font)


def hex_colour(rgba):
    return "0x%08x" % rgba


def goto(area):
    return {"name": "GOTO_AREA", "param": area}


def choose(command):
    return {"name": "LOGIC_RETURN", "param": command}


def switch(areas, triggers, press=None, release=None, dwell=None, colour=None):
    made = {"areas": areas, "triggers": triggers}
    if dwell is not None:
        made["timing"] = {"dwell": dwell}
    if colour is not None:
        made["colours"] = {"repeat": hex_colour(colour)}
    actions = {}
    if press:
        actions["press"] = press
    if release:
        actions["release"] = release
    made["actions"] = actions
    return made


def choice_rects(count):
    height = (CHOICES_BOTTOM - CHOICES_TOP - (count - 1) * CHOICE_GAP) / count
    return [rect(MARGIN_X, CHOICES_TOP + i * (height + CHOICE_GAP), 100 - 2 * MARGIN_X, height)
            for i in range(count)]


def page(description, question, choices):
    names = [name for name, _, _ in choices]
    rects = choice_rects(len(choices))
    areas = [
        {"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)},
        # Drawn, but the pointer passes through them to ANYWHERE.
        {"name": "QUESTION", "rect": rect(MARGIN_X, TITLE_TOP, 100 - 2 * MARGIN_X, TITLE_HEIGHT),
         "label": question, "style": style(PINK, TITLE_SIZE, "BOLD"), "visible": False},
        {"name": "HINT", "rect": rect(MARGIN_X, HINT_TOP, 100 - 2 * MARGIN_X, HINT_HEIGHT),
         "label": HINT, "style": style(GREEN, HINT_SIZE), "visible": False},
    ]
    for (name, _, label), box in zip(choices, rects):
        areas.append({"name": name, "rect": box, "colour": BOX, "sel_colour": LIT_BOX, "label": label,
                      "style": style(CYAN, CHOICE_SIZE), "sel_style": style(WHITE, CHOICE_SIZE),
                      "groups": ["SCAN_" + name, "HOLD_" + name]})
    # The steps of the scan and of a hold, laid over their choices: they carry the countdowns.
    for name, box in zip(names, rects):
        for step in ("SCAN_", "HOLD_"):
            areas.append({"name": step + name, "rect": box, "label": "*FILLAREA*", "visible": False})

    scans = ["SCAN_" + name for name in names]
    switches = [
        switch(["ANYWHERE"], [{"type": "DWELL"}], press=[goto(scans[0])], dwell=START_SCAN_MS),
        switch(["ANYWHERE"], SELECT_KEYS + NEXT_KEYS + PREV_KEYS, press=[goto(scans[0])]),
        switch(scans, [{"type": "DWELL"}], press=[goto("[NEXT_AREA]")], dwell=SCAN_STEP_MS, colour=MOVING_ON),
        switch(scans, NEXT_KEYS, press=[goto("[NEXT_AREA]")]),
        switch(scans, PREV_KEYS, press=[goto("[PREV_AREA]")]),
    ]
    for i, (name, command, _) in enumerate(choices):
        following = scans[(i + 1) % len(scans)]
        switches += [
            switch([name], [{"type": "DWELL"}], press=[choose(command)], dwell=DWELL_MS, colour=TAKING_IT),
            switch([name], [{"type": "MOUSE", "mouse": 1}], press=[choose(command)]),
            switch([name, "SCAN_" + name], SELECT_KEYS, press=[goto("HOLD_" + name)]),
            switch(["HOLD_" + name], [{"type": "DWELL"}], press=[choose(command)], dwell=HOLD_MS, colour=TAKING_IT),
            switch(["HOLD_" + name], SELECT_KEYS, release=[goto(following)]),
        ]
    switches.append(switch(["*ALL*"], [{"type": "KEY", "key": "KEY_ESCAPE"}], press=[choose("QUIT")]))
    return {"description": description, "cool_down": COOL_DOWN_MS, "areas": areas, "switches": switches}


def main():
    for file_name, description, question, choices in PAGES:
        path = os.path.join("data", file_name)
        with open(path, "w") as out:
            json.dump(page(description, question, choices), out, indent=2)
            out.write("\n")
        print("wrote", path)


if __name__ == "__main__":
    main()
