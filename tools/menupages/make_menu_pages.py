#!/usr/bin/env python3
"""Writes the input files of the screens around the game, one set per input method
(data/input/METHOD/PAGE.json; schema data/InputConfig.fbs): the intro and game-over pictures,
the title menu, its settings page, the pause menu and, until the player's own controls come,
the running game's way to the pause menu.

How each method works a menu:
- STANDARD: the pointer or the arrow keys choose, a click, return or space takes the choice;
  escape goes back. Volume buttons repeat while held.
- ONEKEY: after a rest the choices light in turn; pressing the key takes the lit one.
- ONESWITCH: a tap lights the next choice, a hold takes the lit one (a countdown fills it);
  the first choice lights by itself after a rest.
- HEADTRACKER: resting the pointer on a choice takes it once its countdown has filled.
Timing comes from the accessibility file's menu records, so a player's timing applies to every
screen. Over the intro and game-over pictures one key (or a click, or resting on "SKIP") skips
to the title; STANDARD and ONESWITCH can also hold to speed the picture up.

The look: light on black, as the method picker. Headings in pink, hints in green, choices as
dark teal boxes with cyan words; the lit choice a brighter box with white words. STANDARD's
styles leave the size out: its menus are drawn in the vector font, where a size is in pixels,
and the renderer's own size follows the window; its words are kept short, as that font is
wide. Sizes are in percent of the window, so every page reads the same from 640 x 480 to full
HD.

Run from the repository root:  python3 tools/menupages/make_menu_pages.py
"""

import json
import os

METHODS = ["STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"]

# Text colours, 0xRRGGBBAA.
PINK = "0xffb2ffff"
CYAN = "0x73d9e7ff"
GREEN = "0x7fdf8fff"
WHITE = "0xffffffff"
BOX = "0x0a262cff"
LIT_BOX = "0x165e6cff"
# Outlines of the vector menus: boxes are drawn as glowing lines there, not filled.
LINE_BOX = "0x2f8a99ff"
LIT_LINE_BOX = "0xffb2ffff"
# Countdowns: teal for "moving on", violet for "taking it".
MOVING_ON = 0x1F7482FF
TAKING_IT = 0x6A2C7AFF

STANDARD_COOL_DOWN_MS = 150
# The one-key and one-switch pages act on releases, which a cool-down could swallow.
SWITCH_COOL_DOWN_MS = 0

SELECT_KEYS = [{"type": "KEY", "key": "KEY_SPACE"}, {"type": "KEY", "key": "KEY_RETURN"},
               {"type": "KEY", "key": "KEY_KP_ENTER"}, {"type": "JPAD", "joypad": 256}]
CLICK = [{"type": "MOUSE", "mouse": 1}]
NEXT_KEYS = [{"type": "KEY", "key": "KEY_DOWN"}, {"type": "KEY", "key": "KEY_RIGHT"}]
PREV_KEYS = [{"type": "KEY", "key": "KEY_UP"}, {"type": "KEY", "key": "KEY_LEFT"}]
ESCAPE = [{"type": "KEY", "key": "KEY_ESCAPE"}]
# The pause key is the player's own binding of the P slot.
PAUSE_KEYS = [{"type": "EXTERNAL", "key": "P"}, {"type": "KEY", "key": "KEY_ESCAPE"}]

HINTS = {
    "STANDARD": "ARROWS, RETURN OR MOUSE",
    "ONEKEY": "The choices light in turn: press while yours is lit.",
    "ONESWITCH": "Tap to light the next choice, hold to take it.",
    "HEADTRACKER": "Rest the pointer on a choice to take it.",
}
PICTURE_HINTS = {
    "STANDARD": "SPACE skips    hold RIGHT: faster    hold LEFT: slower",
    "ONEKEY": "Press to skip",
    "ONESWITCH": "Tap to skip, hold to speed up",
    "HEADTRACKER": "Rest on SKIP to skip",
}


def rect(x, y, width, height):
    return {"x": round(x, 2), "y": round(y, 2), "width": round(width, 2), "height": round(height, 2)}


def style(method, colour, size, font="DEFAULT"):
    if method == "STANDARD":
        return "%s,,%s" % (colour, font)
    return "%s,%g,%s" % (colour, size, font)


def action(name, param=""):
    return {"name": name, "param": param}


def goto(area):
    return action("GOTO_AREA", area)


def choose(command):
    return action("LOGIC_RETURN", command)


def switch(areas, triggers, press=None, release=None, hold=None, held_release=None, timing=None,
           timing_name=None, colours=None):
    made = {"areas": areas, "triggers": triggers}
    if timing_name:
        made["timing_name"] = timing_name
    if timing:
        made["timing"] = timing
    if colours:
        made["colours"] = colours
    actions = {}
    for key, value in (("press", press), ("release", release), ("hold", hold), ("held_release", held_release)):
        if value:
            actions[key] = value
    made["actions"] = actions
    return made


class Choice:
    """One menu item: its area, its words, what taking it does, and whether holding on to it
    does it again (volume steps)."""

    def __init__(self, name, label, actions, box, repeats=False):
        self.name, self.label, self.actions, self.box, self.repeats = name, label, actions, box, repeats


class Text:
    """Words drawn without a box, which the pointer passes through."""

    def __init__(self, name, label, box, colour, size, font="DEFAULT"):
        self.name, self.label, self.box, self.colour, self.size, self.font = name, label, box, colour, size, font


def menu(method, description, texts, choices, escape):
    """A page of choices, worked as the method works menus; escape is what the escape key
    does on STANDARD (a list of actions)."""
    areas = [{"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)}]
    for text in texts:
        areas.append({"name": text.name, "rect": text.box, "label": text.label,
                      "style": style(method, text.colour, text.size, text.font), "visible": False})
    vector = method == "STANDARD"
    for choice in choices:
        areas.append({"name": choice.name, "rect": choice.box,
                      "colour": LINE_BOX if vector else BOX, "sel_colour": LIT_LINE_BOX if vector else LIT_BOX,
                      "label": choice.label, "style": style(method, CYAN, 1.4),
                      "sel_style": style(method, WHITE, 1.4, "BOLD" if vector else "DEFAULT")})
    names = [choice.name for choice in choices]
    first = names[0]
    switches = []
    if method == "STANDARD":
        switches.append(switch(["ANYWHERE"], SELECT_KEYS + NEXT_KEYS + PREV_KEYS, press=[goto(first)]))
        switches.append(switch(names, NEXT_KEYS, press=[goto("[NEXT_AREA]")]))
        switches.append(switch(names, PREV_KEYS, press=[goto("[PREV_AREA]")]))
        for choice in choices:
            switches.append(switch([choice.name], SELECT_KEYS + CLICK, press=choice.actions,
                                   timing_name="menu_standardRep" if choice.repeats else None))
        switches.append(switch(["*ALL*"], ESCAPE, press=escape))
    elif method == "ONEKEY":
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=[goto(first)], timing_name="menu_oneKey"))
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, press=[goto(first)]))
        switches.append(switch(names, [{"type": "DWELL"}], press=[goto("[NEXT_AREA]")], timing_name="menu_oneKey",
                               colours={"repeat": MOVING_ON}))
        for choice in choices:
            switches.append(switch([choice.name], SELECT_KEYS, press=choice.actions,
                                   timing_name="menu_standardRep" if choice.repeats else None))
    elif method == "ONESWITCH":
        # A release lights the first choice, so the release of the hold that opened this page
        # does no more than that; a page met for the first time drops that release, and
        # lights its first choice after a rest instead.
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, release=[goto(first)]))
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=[goto(first)], timing_name="menu_oneKey"))
        for index, choice in enumerate(choices):
            following = names[(index + 1) % len(names)]
            switches.append(switch([choice.name], SELECT_KEYS, release=[goto(following)], hold=choice.actions,
                                   timing_name="menu_oneSwitchRepHold", colours={"hold": TAKING_IT}))
    else:
        for choice in choices:
            switches.append(switch([choice.name], [{"type": "DWELL"}], press=choice.actions,
                                   timing_name="menu_dwellRep" if choice.repeats else "menu_dwell",
                                   colours={"repeat": TAKING_IT}))
            switches.append(switch([choice.name], CLICK, press=choice.actions))
    cool_down = STANDARD_COOL_DOWN_MS if method in ("STANDARD", "HEADTRACKER") else SWITCH_COOL_DOWN_MS
    return {"description": description, "cool_down": cool_down, "areas": areas, "switches": switches}


def hint(method, text):
    return Text("HINT", text, rect(4, 90, 92, 8), GREEN, 1.0)


def title_page(method):
    x, width = 31, 38
    names = [("NEWGAME", "NEW GAME"), ("SETTINGS", "SETTINGS"), ("QUIT", "QUIT")]
    top, gap, height = 41, 3, 11
    choices = [Choice(name, label, [choose(name)], rect(x, top + i * (height + gap), width, height))
               for i, (name, label) in enumerate(names)]
    texts = [Text("HEADING", "ZELMO", rect(x, 27, width, 11), PINK, 2.4, "BOLD"), hint(method, HINTS[method])]
    return menu(method, "The title menu: a new game, the settings page, or quitting.", texts, choices,
                [choose("QUIT")])


def settings_page(method):
    rows = [("MASTER", "VOLUME  [MASTER_VOL]"), ("EFFECT", "EFFECTS  [EFFECT_VOL]"),
            ("MUSIC", "MUSIC  [MUSIC_VOL]"), ("SPEECH", "SPEECH  [SPEECH_VOL]")]
    top, step, height = 14, 10.5, 8.5
    label_x, label_width = 6, 54
    minus_x, plus_x, button_width = 62, 79, 15
    texts = [Text("HEADING", "SETTINGS", rect(6, 2.5, 88, 9), PINK, 2.0, "BOLD")]
    choices = []
    for i, (bus, label) in enumerate(rows):
        y = top + i * step
        texts.append(Text(bus + "_LABEL", "$<" + label, rect(label_x, y, label_width, height), CYAN, 1.2))
        choices.append(Choice(bus + "_DOWN", "-", [action("SOUND_DEC", bus)], rect(minus_x, y, button_width, height),
                              repeats=True))
        choices.append(Choice(bus + "_UP", "+", [action("SOUND_INC", bus)], rect(plus_x, y, button_width, height),
                              repeats=True))
    y = top + len(rows) * step
    texts.append(Text("RES_LABEL", "$<WINDOW  [RESOLUTION]", rect(label_x, y, label_width, height), CYAN, 1.2))
    choices.append(Choice("RES_DOWN", "-", [action("RES_DEC")], rect(minus_x, y, button_width, height)))
    choices.append(Choice("RES_UP", "+", [action("RES_INC")], rect(plus_x, y, button_width, height)))
    y += step
    texts.append(Text("FULL_LABEL", "$<FULL SCREEN", rect(label_x, y, label_width, height), CYAN, 1.2))
    choices.append(Choice("FULLSCREEN", "[ [FULLSCREEN] ]", [action("TOGGLE_FULL")],
                          rect(minus_x, y, plus_x + button_width - minus_x, height)))
    choices.append(Choice("BACK", "BACK", [choose("BACK")], rect(30, y + step + 1.5, 40, 9)))
    texts.append(hint(method, HINTS[method]))
    return menu(method, "The settings page: the four volumes, the window's size and full screen.", texts, choices,
                [choose("BACK")])


def pause_page(method):
    x, width = 25, 50
    choices = [Choice("RESUME", "RESUME", [choose("RESUME")], rect(x, 38, width, 13)),
               Choice("QUIT", "QUIT TO TITLE", [choose("QUIT")], rect(x, 56, width, 13))]
    texts = [Text("HEADING", "PAUSED", rect(x, 20, width, 12), PINK, 2.4, "BOLD"), hint(method, HINTS[method])]
    page = menu(method, "The pause menu: back to the game, or leave it for the title.", texts, choices,
                [choose("RESUME")])
    if method == "STANDARD":
        page["switches"].append(switch(["*ALL*"], [{"type": "EXTERNAL", "key": "P"}], press=[choose("RESUME")]))
    return page


def picture_page(method, description):
    """The intro and game-over pictures: every way of skipping ends them with "DONE"."""
    areas = [{"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)},
             {"name": "HINT", "rect": rect(4, 93, 72, 6), "label": "$<" + PICTURE_HINTS[method],
              "style": style(method, GREEN, 0.9), "visible": False}]
    done = [choose("DONE")]
    normal = [action("INTRO_SPEED", "1")]
    if method == "STANDARD":
        switches = [switch(["ANYWHERE"], SELECT_KEYS + ESCAPE + CLICK, press=done),
                    switch(["ANYWHERE"], [{"type": "KEY", "key": "KEY_RIGHT"}], press=[action("INTRO_SPEED", "3")],
                           release=normal),
                    switch(["ANYWHERE"], [{"type": "KEY", "key": "KEY_LEFT"}], press=[action("INTRO_SPEED", "0.4")],
                           release=normal)]
    elif method == "ONEKEY":
        switches = [switch(["ANYWHERE"], SELECT_KEYS, press=done)]
    elif method == "ONESWITCH":
        switches = [switch(["ANYWHERE"], SELECT_KEYS, release=done, hold=[action("INTRO_SPEED", "3")],
                           held_release=normal, timing_name="menu_oneSwitchRepHold")]
    else:
        areas.append({"name": "SKIP", "rect": rect(80, 86, 17, 11), "colour": BOX, "sel_colour": LIT_BOX,
                      "label": "SKIP", "style": style(method, CYAN, 1.4), "sel_style": style(method, WHITE, 1.4)})
        switches = [switch(["SKIP"], [{"type": "DWELL"}], press=done, timing_name="menu_dwell",
                           colours={"repeat": TAKING_IT}),
                    switch(["ANYWHERE", "SKIP"], CLICK, press=done)]
    cool_down = STANDARD_COOL_DOWN_MS if method in ("STANDARD", "HEADTRACKER") else SWITCH_COOL_DOWN_MS
    return {"description": description, "cool_down": cool_down, "areas": areas, "switches": switches}


def game_page(method):
    """The running game's way to the pause menu; the player's moves join it with the player."""
    areas = [{"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)}]
    pause = [choose("PAUSE")]
    if method == "STANDARD":
        switches = [switch(["ANYWHERE"], PAUSE_KEYS, press=pause)]
    elif method in ("ONEKEY", "ONESWITCH"):
        switches = [switch(["ANYWHERE"], SELECT_KEYS, hold=pause, timing_name="menu_oneSwitchRepHold",
                           colours={"hold": TAKING_IT})]
    else:
        areas.append({"name": "PAUSE", "rect": rect(88, 2, 10, 8), "colour": BOX, "sel_colour": LIT_BOX,
                      "label": "PAUSE", "style": style(method, CYAN, 1.0), "sel_style": style(method, WHITE, 1.0)})
        switches = [switch(["PAUSE"], [{"type": "DWELL"}], press=pause, timing_name="menu_dwell",
                           colours={"repeat": TAKING_IT}),
                    switch(["PAUSE"], CLICK, press=pause)]
    return {"description": "The running game: the way to the pause menu.", "cool_down": 0, "areas": areas,
            "switches": switches}


PAGES = [
    ("INTRO", lambda m: picture_page(m, "The intro picture: skipping it goes on to the title.")),
    ("TITLE", title_page),
    ("SETTINGS", settings_page),
    ("PAUSE", pause_page),
    ("GAMEOVER", lambda m: picture_page(m, "The game-over picture: skipping it goes on to the title.")),
    ("GAME", game_page),
]


def main():
    for method in METHODS:
        folder = os.path.join("data", "input", method)
        os.makedirs(folder, exist_ok=True)
        for name, make in PAGES:
            path = os.path.join(folder, name + ".json")
            with open(path, "w") as out:
                json.dump(make(method), out, indent=2)
                out.write("\n")
            print("wrote", path)


if __name__ == "__main__":
    main()
