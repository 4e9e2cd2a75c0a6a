#!/usr/bin/env python3
"""Writes the input files of the screens around the game, one set per input method
(data/input/METHOD/PAGE.json; schema data/InputConfig.fbs): the intro and game-over pictures,
the title menu, its settings page, help, options, the pause menu and the running game.

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
dark teal boxes with cyan words; the lit choice a brighter box with white words. A style's size
multiplies the renderer's font size, which follows the window. STANDARD's menus are drawn in
the vector font, or by the overlay when the player turns the line menus off; the vector font
is wide, so STANDARD's styles mostly leave the size out and its words are kept short, and the
few sizes it gives (help and controls rows) must read well in both. Areas are in percent of
the window, so every page reads the same from 640 x 480 to full HD.

Run from the repository root:  python3 tools/menupages/make_menu_pages.py
"""

import json
import os
import re

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
# SELECT_KEYS as the help names them: the one key and the one switch are any of these.
SELECT_KEYS_SAID = "space, return, keypad enter or pad button 1"
CLICK = [{"type": "MOUSE", "mouse": 1}]
NEXT_KEYS = [{"type": "KEY", "key": "KEY_DOWN"}, {"type": "KEY", "key": "KEY_RIGHT"}]
PREV_KEYS = [{"type": "KEY", "key": "KEY_UP"}, {"type": "KEY", "key": "KEY_LEFT"}]
ESCAPE = [{"type": "KEY", "key": "KEY_ESCAPE"}]

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


def style(method, colour, size, font="DEFAULT", line_size=None):
    """line_size: STANDARD's size, for its wide vector font and its overlay alike (the font
    size when left out)."""
    if method == "STANDARD":
        return "%s,%s,%s" % (colour, "" if line_size is None else "%g" % line_size, font)
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

    def __init__(self, name, label, box, colour, size, font="DEFAULT", line_size=None):
        self.name, self.label, self.box, self.colour, self.size, self.font = name, label, box, colour, size, font
        self.line_size = line_size


def menu(method, description, texts, choices, escape):
    """A page of choices, worked as the method works menus; escape is what the escape key
    does on STANDARD (a list of actions)."""
    return paged_menu(method, description, texts, [choices], escape, [goto(choices[0].name)])


def paged_menu(method, description, texts, pages, escape, start):
    """Choices in groups, one group to a page of one controller: the light steps through the
    choices of its own group only. start is what lights a first choice (from "ANYWHERE")."""
    areas = [{"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)}]
    for text in texts:
        areas.append({"name": text.name, "rect": text.box, "label": text.label,
                      "style": style(method, text.colour, text.size, text.font, text.line_size),
                      "visible": False})
    vector = method == "STANDARD"
    for choice in [choice for choices in pages for choice in choices]:
        areas.append({"name": choice.name, "rect": choice.box,
                      "colour": LINE_BOX if vector else BOX, "sel_colour": LIT_LINE_BOX if vector else LIT_BOX,
                      "label": choice.label, "style": style(method, CYAN, 1.4),
                      "sel_style": style(method, WHITE, 1.4, "BOLD" if vector else "DEFAULT")})
    switches = []
    if method == "STANDARD":
        switches.append(switch(["ANYWHERE"], SELECT_KEYS + NEXT_KEYS + PREV_KEYS, press=start))
    elif method == "ONEKEY":
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=start, timing_name="menu_oneKey"))
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, press=start))
    elif method == "ONESWITCH":
        # A release lights the first choice, so the release of the hold that opened this page
        # does no more than that; a page met for the first time drops that release, and
        # lights its first choice after a rest instead.
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, release=start))
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=start, timing_name="menu_oneKey"))
    for choices in pages:
        switches += choice_switches(method, choices)
    if method == "STANDARD":
        switches.append(switch(["*ALL*"], ESCAPE, press=escape))
    cool_down = STANDARD_COOL_DOWN_MS if method in ("STANDARD", "HEADTRACKER") else SWITCH_COOL_DOWN_MS
    return {"description": description, "cool_down": cool_down, "areas": areas, "switches": switches}


def choice_switches(method, choices):
    """How the method moves the light through one group of choices and takes them."""
    names = [choice.name for choice in choices]
    switches = []
    if method == "STANDARD":
        switches.append(switch(names, NEXT_KEYS, press=[goto("[NEXT_AREA]")]))
        switches.append(switch(names, PREV_KEYS, press=[goto("[PREV_AREA]")]))
        for choice in choices:
            switches.append(switch([choice.name], SELECT_KEYS + CLICK, press=choice.actions,
                                   timing_name="menu_standardRep" if choice.repeats else None))
    elif method == "ONEKEY":
        switches.append(switch(names, [{"type": "DWELL"}], press=[goto("[NEXT_AREA]")], timing_name="menu_oneKey",
                               colours={"repeat": MOVING_ON}))
        for choice in choices:
            switches.append(switch([choice.name], SELECT_KEYS, press=choice.actions,
                                   timing_name="menu_standardRep" if choice.repeats else None))
    elif method == "ONESWITCH":
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
    return switches


def hint(method, text):
    return Text("HINT", text, rect(4, 90, 92, 8), GREEN, 1.0)


def title_page(method):
    x, width = 31, 38
    names = [("NEWGAME", "NEW GAME"), ("SETTINGS", "SETTINGS"), ("HELP", "HELP"), ("QUIT", "QUIT")]
    top, gap, height = 41, 1.5, 8.5
    choices = [Choice(name, label, [choose(name)], rect(x, top + i * (height + gap), width, height))
               for i, (name, label) in enumerate(names)]
    texts = [Text("HEADING", "ZELMO", rect(x, 27, width, 11), PINK, 2.4, "BOLD"), hint(method, HINTS[method])]
    return menu(method, "The title menu: a new game, the settings page, help, or quitting.", texts, choices,
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
    choices.append(Choice("CONTROLS", "CONTROLS", [choose("CONTROLS")], rect(6, y + step + 1.5, 22, 9)))
    choices.append(Choice("BACK", "BACK", [choose("BACK")], rect(30, y + step + 1.5, 40, 9)))
    choices.append(Choice("OPTIONS", "OPTIONS", [choose("OPTIONS")], rect(72, y + step + 1.5, 22, 9)))
    texts.append(hint(method, HINTS[method]))
    return menu(method, "The settings page: the four volumes, the window's size and full screen.", texts, choices,
                [choose("BACK")])


# The help: six pages of three explanations each, beside the figures the help screen draws at
# 25, 45 and 65 percent of the window's height. Bracketed trigger texts name the player's
# controls by the slots of their default bindings; the screen shows what the player has bound.
# The running game's controls are those of game_page.
HELP_ROWS = [16, 36, 56]
HELP_CHOICES_TOP = 79
# STANDARD's vector font has capitals only, lays wrapped lines close together and does not
# shrink words to fit: its help is written upper case, a line to an area, at a smaller size.
HELP_LINE_SIZE = 0.78
HELP_VECTOR_LINE_CHARS = 36
HELP_VECTOR_LINE_HEIGHT = 5
HELP_HOW = {
    "STANDARD": {
        "walk": "Walk with [KEY:W] [KEY:A] [KEY:S] [KEY:D], the arrow keys or the pad. Change them in "
                "SETTINGS > CONTROLS.",
        "punch": "Hold [KEY:P], [MOUSE:LMB] or [JPAD:B1] to crouch and charge, let go to punch. A longer "
                 "charge hits harder.",
        "shield": "Hold [KEY:L], [MOUSE:RMB] or [JPAD:B2] to raise the shield: it stops beams, sparks and "
                  "lightning.",
        "power": "Hold [KEY:SPACE], [MOUSE:MMB] or [JPAD:B3], let go: a power punch, a dash that turns at "
                 "walls. A few each level.",
        "menus": "Menus: the arrow keys or the mouse choose, return, space or a click takes, Esc goes "
                 "back.",
        "pause": "Esc or [JPAD:B4] pauses the game; the pause menu goes on with it or back to the title.",
    },
    "ONEKEY": {
        "walk": "Your key: " + SELECT_KEYS_SAID + ". Areas over the game light in turn: hold the key "
                "while UP, DOWN, LEFT or RIGHT is lit to walk that way.",
        "punch": "Hold the key while PUNCH is lit to crouch and charge, let go to punch. A longer charge "
                 "hits harder.",
        "shield": "Hold the key while SHIELD is lit to raise the shield: it stops beams, sparks and "
                  "lightning.",
        "power": "Hold the key while POWER is lit and let go for a power punch: a dash along the "
                 "corridors that turns at walls. A few come with each level.",
        "menus": "In the menus the choices light in turn after a rest: press your key (" + SELECT_KEYS_SAID +
                 ") while yours is lit.",
        "pause": "Press the key while PAUSE (bottom right) is lit to pause; the pause menu goes on or "
                 "back to the title.",
    },
    "ONESWITCH": {
        "walk": "Your switch: " + SELECT_KEYS_SAID + ". Areas over the game: a tap lights the next one. "
                "Hold the switch on UP, DOWN, LEFT or RIGHT to walk until you let go.",
        "punch": "Hold the switch on PUNCH to crouch and charge, let go to punch. A longer charge hits "
                 "harder.",
        "shield": "Hold the switch on SHIELD to raise the shield: it stops beams, sparks and lightning.",
        "power": "Hold the switch on POWER and let go for a power punch: a dash along the corridors that "
                 "turns at walls. A few come with each level.",
        "menus": "In the menus a tap lights the next choice and a hold takes the lit one once its box "
                 "has filled.",
        "pause": "Hold the switch on PAUSE (bottom right) to pause; the pause menu goes on or back to "
                 "the title.",
    },
    "HEADTRACKER": {
        "walk": "Rest the pointer on the UP, DOWN, LEFT or RIGHT band at the edges of the screen to walk "
                "that way.",
        "punch": "Rest on PUNCH (bottom left) to crouch and charge, move off it to punch. A longer charge "
                 "hits harder.",
        "shield": "Rest on SHIELD, beside PUNCH, to raise the shield: it stops beams, sparks and lightning.",
        "power": "Rest on POWER, beside SHIELD, and move off for a power punch: a dash along the "
                 "corridors that turns at walls. A few come with each level.",
        "menus": "In the menus rest the pointer on a choice until its box has filled, or click it.",
        "pause": "Rest on PAUSE (bottom right) to pause; the pause menu goes on or back to the title.",
    },
}


def help_pages(method):
    """The six help pages of one method; the words of the game's own controls follow the method."""
    how = HELP_HOW[method]
    pages = [
        ("YOU", [how["walk"], how["punch"], how["shield"]]),
        ("POWER-UPS", [how["power"],
                       "Armour: walk over the badge and for a while sparks, beams and lightning cannot hurt you.",
                       "Fish: walk over it and a friendly fish swims the maze, shooting the robots it meets."]),
        ("ROBOTS", ["Robots roam the maze and come for you. Punch them apart; a charged punch knocks them "
                    "back.",
                    "Beams, sparks and lightning hurt: raise the shield against them, or keep out of their "
                    "way.",
                    "Some robots carry a box. Destroy the robot, then walk into the box to find a power-up."]),
        ("RESCUE", ["Prisoners are chained in the maze: walk into one to set them free.",
                    "Stand still facing a map terminal on a wall to see the map of the maze.",
                    "When every prisoner of the level is free, walk left into the lift for the next level."]),
        ("HEALTH", ["The bar shows your health. Hits take it away; it comes back slowly while nothing "
                    "hits you.",
                    "Losing all your health costs a life and starts the level again. With no life left "
                    "the game is over.",
                    "OPTIONS, on the settings page, change lives, health, damage, speeds and more."]),
        ("YOUR WAY", [how["menus"], how["pause"],
                      "Four ways to play: keys and mouse, one key, one switch, head tracker. To choose again, "
                      "delete INPUT_METHOD in preferences.cfg."]),
    ]
    texts = []
    for number, (heading, rows) in enumerate(pages, start=1):
        page = "PAGE%d" % number
        texts.append(Text(page + "_HEADING", "HELP %d/%d   %s" % (number, len(pages), heading),
                          rect(6, 2.5, 88, 9), PINK, 2.0, "BOLD"))
        for row, (y, words) in enumerate(zip(HELP_ROWS, rows), start=1):
            texts += help_words(method, "%s_TEXT%d" % (page, row), words, y)
    texts.append(hint(method, HINTS[method]))
    choices = [Choice("PREV", "<", [action("PAGE_DEC", "HELP")], rect(6, HELP_CHOICES_TOP, 20, 9)),
               Choice("BACK", "BACK", [choose("BACK")], rect(30, HELP_CHOICES_TOP, 40, 9)),
               Choice("NEXT", ">", [action("PAGE_INC", "HELP")], rect(74, HELP_CHOICES_TOP, 20, 9))]
    return menu(method, "The help: six pages on the game and on playing it this way, and back to the title.",
                texts, choices, [choose("BACK")])


def wrap_shown(words, width):
    """Lines of at most width characters as shown: a bracketed control is shown without its
    brackets, and a mouse button without its kind ("[MOUSE:LMB]" as "LMB")."""
    def shown_length(word):
        return len(re.sub(r"\[MOUSE:([^]]*)\]", r"\1", word).replace("[", "").replace("]", ""))
    # A way through the menus ("SETTINGS > CONTROLS") is kept on one line, to be read whole.
    joined = []
    for word in words.split():
        if joined and (word == ">" or joined[-1].endswith(" >")):
            joined[-1] += " " + word
        else:
            joined.append(word)
    lines, line = [], []
    for word in joined:
        if line and sum(shown_length(w) + 1 for w in line) + shown_length(word) > width:
            lines.append(" ".join(line))
            line = []
        line.append(word)
    if line:
        lines.append(" ".join(line))
    return lines


def help_words(method, name, words, top):
    """One explanation: a text of its own where the words are wrapped and shrunk to fit, one
    line each (NAME_1, NAME_2 ...) on STANDARD."""
    if method != "STANDARD":
        return [Text(name, "$<$^" + words, rect(32, top, 64, 18), CYAN, 1.0)]
    lines = wrap_shown(words.upper(), HELP_VECTOR_LINE_CHARS)
    # A line is left free before the next explanation, so that the two read apart; the last one
    # reaches down to the choices.
    below = [row for row in HELP_ROWS if row > top]
    room = (below[0] - top) // HELP_VECTOR_LINE_HEIGHT - 1 if below else \
        (HELP_CHOICES_TOP - top) // HELP_VECTOR_LINE_HEIGHT
    if len(lines) > room:
        raise ValueError("%s: %d lines, room for %d: %s" % (name, len(lines), room, words))
    return [Text("%s_%d" % (name, number), "$<" + line,
                 rect(32, top + (number - 1) * HELP_VECTOR_LINE_HEIGHT, 64, HELP_VECTOR_LINE_HEIGHT), CYAN, 1.0,
                 line_size=HELP_LINE_SIZE)
            for number, line in enumerate(lines, start=1)]


# The options pages: (heading, [(option, label)]); each option's entry in the tuning table's
# "OPTIONVALUES" is "OPT_" and the option.
OPTION_PAGES = [
    ("PLAYER", [("START_LEVEL", "START AT"), ("PLAYER_LIVES", "LIVES"), ("PLAYER_HEALTH", "HEALTH"),
                ("RECHARGE_DELAY", "RECHARGE WAIT"), ("RECHARGE_SPEED", "RECHARGE SPEED"),
                ("ARMOUR_DURATION", "ARMOUR TIME")]),
    ("PUNCHES", [("PUNCH_DMG", "PUNCH DAMAGE"), ("PUNCH_KBK", "KNOCK-BACK"), ("PUNCH_DELAY", "PUNCH SPEED"),
                 ("DBZ_DMG", "POWER DAMAGE"), ("DBZ_TIME", "POWER DASH"), ("NUM_DBZ_POWS", "POWER PUNCHES")]),
    ("ROBOTS", [("ROBOT_SPEED", "ROBOT SPEED"), ("BEAM_DMG", "BEAM DAMAGE"), ("STRIKE_DMG", "LIGHTNING"),
                ("PARTICLE_DMG", "SPARK DAMAGE"), ("PARTICLE_SPEED", "SPARK SPEED"), ("CLAWER_DMG", "CLAWERS"),
                ("SPINNER_DMG", "SPINNERS")]),
    ("SCREEN", [("GAME_SEED", "MAZES"), ("GAME_ZOOM", "ZOOM"), ("VECTOR_MENUS", "LINE MENUS"),
                ("VECTOR_SETTINGS", "GLOW"), ("MAP_OPACITY", "MAP"), ("FLOOR_ON", "FLOOR")]),
]


def options_page(method):
    """The four options pages. Taking an option's value steps it on, going round after the last;
    STANDARD and HEADTRACKER also have a "<" beside it that steps back. The scanning methods do
    without it: every value comes round going forwards, and half the stops are fewer to wait
    through. A page's light starts on its ">", which leads on to its first option."""
    both_ways = method in ("STANDARD", "HEADTRACKER")
    top, step, height = 13, 9.3, 8
    texts, pages = [], []
    for number, (heading, options) in enumerate(OPTION_PAGES, start=1):
        page = "PAGE%d" % number
        following = "PAGE%d" % (number % len(OPTION_PAGES) + 1)
        before = "PAGE%d" % ((number - 2) % len(OPTION_PAGES) + 1)
        texts.append(Text(page + "_HEADING", "OPTIONS %d/%d   %s" % (number, len(OPTION_PAGES), heading),
                          rect(6, 2.5, 88, 9), PINK, 2.0, "BOLD"))
        choices = []
        for row, (option, label) in enumerate(options):
            y = top + row * step
            value = "%s_VAL_%s" % (page, option)
            texts.append(Text("%s_LABEL_%s" % (page, option), "$<" + label, rect(6, y, 50, height), CYAN, 1.2))
            if both_ways:
                choices.append(Choice("%s_DEC_%s" % (page, option), "<", [action("OPTION_DEC", value)],
                                      rect(58, y, 10, height)))
            choices.append(Choice(value, "[OPT_%s]" % option, [action("OPTION_INC", value)],
                                  rect(70, y, 24, height)))
        choices += [Choice(page + "_PREV", "<", [action("PAGE_DEC", "OPT"), goto(before + "_PREV")],
                           rect(6, 79, 20, 9)),
                    Choice(page + "_BACK", "BACK", [choose("BACK")], rect(30, 79, 40, 9)),
                    Choice(page + "_NEXT", ">", [action("PAGE_INC", "OPT"), goto(following + "_NEXT")],
                           rect(74, 79, 20, 9))]
        pages.append(choices)
    texts.append(hint(method, HINTS[method]))
    return paged_menu(method, "The options: four pages of the game's options, each value stepped in place.",
                      texts, pages, [choose("BACK")], [action("GOTO_PAGE_AREA", "NEXT")])


# The controls page: a row for each of the seven game controls, (control, name); taking a
# row's choice waits for a new key, mouse button or pad button for it. The mouse binds only the
# three actions: no button walks.
CONTROL_ROWS = [("UP", "UP"), ("DN", "DOWN"), ("LF", "LEFT"), ("RT", "RIGHT"),
                ("ACT0", "PUNCH"), ("ACT1", "SHIELD"), ("ACT2", "POWER")]
# STANDARD's vector font is wide: a row's bindings are written smaller there.
CONTROL_LINE_SIZE = 0.78


def controls_page(method):
    """The controls: each row shows a control's key, mouse and pad bindings as the screen fills
    them in; DEFAULTS brings back the bindings the game came with, DONE leaves with the new ones."""
    top, step, height = 12, 8.4, 7.2
    texts = [Text("HEADING", "CONTROLS", rect(6, 2.5, 88, 8), PINK, 2.0, "BOLD"),
             Text("CAPTURE", "[CAPTURE_HINT]", rect(6, 71, 88, 6.5), PINK, 1.1)]
    choices = []
    for row, (control, name) in enumerate(CONTROL_ROWS):
        y = top + row * step
        texts.append(Text("NAME_" + control, "$<" + name, rect(6, y, 24, height), CYAN, 1.2))
        mouse = "   MOUSE [MOUSE_%s]" % control if control.startswith("ACT") else ""
        label = "KEY [KEY_%s]%s   PAD [JPAD_%s]" % (control, mouse, control)
        choices.append(Choice("SET_" + control, label, [choose("SET_" + control)], rect(32, y, 62, height)))
    choices.append(Choice("DEFAULTS", "DEFAULTS", [choose("DEFAULTS")], rect(6, 79, 40, 9)))
    choices.append(Choice("DONE", "DONE", [choose("DONE")], rect(54, 79, 40, 9)))
    texts.append(hint(method, HINTS[method]))
    page = menu(method, "The controls: a new key, mouse button or pad button for each of the game's seven "
                "controls.", texts, choices, [choose("BACK")])
    for area in page["areas"]:
        if area["name"].startswith("SET_"):
            area["style"] = style(method, CYAN, 1.1, line_size=CONTROL_LINE_SIZE)
            area["sel_style"] = style(method, WHITE, 1.1, "BOLD" if method == "STANDARD" else "DEFAULT",
                                      line_size=CONTROL_LINE_SIZE)
    return page


def pause_page(method):
    x, width = 25, 50
    choices = [Choice("RESUME", "RESUME", [choose("RESUME")], rect(x, 38, width, 13)),
               Choice("QUIT", "QUIT TO TITLE", [choose("QUIT")], rect(x, 56, width, 13))]
    texts = [Text("HEADING", "PAUSED", rect(x, 20, width, 12), PINK, 2.4, "BOLD"), hint(method, HINTS[method])]
    page = menu(method, "The pause menu: back to the game, or leave it for the title.", texts, choices,
                [choose("RESUME")])
    if method == "STANDARD":
        # The pad's pause button resumes as well, as escape does.
        page["switches"].append(switch(["*ALL*"], [{"type": "EXTERNAL", "joypad": 2048}], press=[choose("RESUME")]))
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


# The running game. The player's actions: START_ACTION / STOP_ACTION 0 punch (held to crouch and
# charge, let go to punch), 1 shield, 2 power punch; START_MOVE / STOP_MOVE with "UP", "DN",
# "LF", "RT". Its areas keep out of the top strip, where the lives (left) and the power punches
# (right) are drawn, and away from the middle, where the camera keeps the player.
GAME_DIRECTIONS = [("UP", "UP"), ("RIGHT", "RT"), ("DOWN", "DN"), ("LEFT", "LF")]
GAME_ACTIONS = [("PUNCH", "0"), ("SHIELD", "1"), ("POWER", "2")]
ALL_DIRECTIONS = "UP DN LF RT"
# The pause also lets go of the walk and the shield, so that the game resumes standing still.
# A held punch is not let go of here, which would throw it: the game drops it on resuming.
GAME_PAUSE = [action("STOP_MOVE", ALL_DIRECTIONS), action("STOP_ACTION", "1"), choose("PAUSE")]
# See-through boxes, so that the maze, the robots and the prisoners show through them.
GAME_BOX = "0x0a262c58"
GAME_LIT_BOX = "0x2a8a9cc0"
# The head tracker's bands are wide: fainter still.
GAME_BAND = "0x0a262c48"

# STANDARD: the player's bound keys, mouse buttons and joypad (slots of the controls screen),
# the arrow keys as well, and escape or the fourth pad button to pause.
STANDARD_GAME_CONTROLS = [
    (["KEY_UP"], "W", [1, 16], "UP"),
    (["KEY_DOWN"], "S", [2, 32], "DN"),
    (["KEY_LEFT"], "A", [4, 64], "LF"),
    (["KEY_RIGHT"], "D", [8, 128], "RT"),
]
STANDARD_GAME_BUTTONS = [("P", 1, 256, "0"), ("L", 2, 512, "1"), ("KEY_SPACE", 4, 1024, "2")]
STANDARD_GAME_PAUSE = [{"type": "KEY", "key": "KEY_ESCAPE"}, {"type": "EXTERNAL", "joypad": 2048}]

# ONEKEY and ONESWITCH step through these, in this order; HEADTRACKER rests on them. A walk
# ends on PUNCH (see scanning_game_switches), so PUNCH leads the round and the four ways follow it:
# a punch after a walk costs no step, a walk after a punch one to four.
# Every box keeps to the window's edges: the top and bottom strips and the middle of the sides,
# over the level's outer walls, so that near the maze's edges, where the view stops following
# the player, the boxes never hide the player, a robot or a prisoner's cell. The top strip
# leaves the lives (left) and the power punches (right) clear; DOWN sits in the middle of the
# bottom strip, between the actions.
SCAN_RECTS = {
    "PUNCH": rect(0.5, 91, 19, 8.5),
    "UP": rect(35, 0.5, 30, 7.5),
    "RIGHT": rect(91.5, 42, 8, 16),
    "DOWN": rect(40.5, 91, 19, 8.5),
    "LEFT": rect(0.5, 42, 8, 16),
    "SHIELD": rect(20.5, 91, 19, 8.5),
    "POWER": rect(60.5, 91, 19, 8.5),
    "PAUSE": rect(80.5, 91, 19, 8.5),
}
# Where the light goes when a held control is let go of: after a walk, to the punch, which is
# what a walk that stops at a door or a robot wants next; otherwise back to the control.
AFTER_HELD = {"UP": "PUNCH", "RIGHT": "PUNCH", "DOWN": "PUNCH", "LEFT": "PUNCH"}
# HEADTRACKER: bands along the edges for the directions, around a still middle that holds the
# player wherever the view puts it (the view stops at the maze's edges, so the player is not
# always in the very middle), and the actions along the bottom, where DOWN's band takes the
# middle.
HEAD_RECTS = {
    "UP": rect(15, 0.5, 70, 9),
    "DOWN": rect(35, 90, 30, 9.5),
    "LEFT": rect(0.5, 10, 9, 79),
    "RIGHT": rect(90.5, 10, 9, 79),
    "PUNCH": rect(0.5, 90, 17, 9.5),
    "SHIELD": rect(18, 90, 16.5, 9.5),
    "POWER": rect(65.5, 90, 16.5, 9.5),
    "PAUSE": rect(82.5, 90, 17, 9.5),
}


def game_controls():
    """(area name, what starting it does, what ending it does) for every control but the pause."""
    controls = [(name, [action("START_MOVE", bits)], [action("STOP_MOVE", bits)]) for name, bits in GAME_DIRECTIONS]
    controls += [(name, [action("START_ACTION", number)], [action("STOP_ACTION", number)])
                 for name, number in GAME_ACTIONS]
    return controls


def game_area(method, name, box, held=False):
    """A control's box. Its held twin ("<NAME>_HELD") is current while the control is held: it
    draws nothing itself and keeps the box lit through the box's group."""
    if held:
        return {"name": name + "_HELD", "rect": box, "visible": False}
    faint = method == "HEADTRACKER" and name in ("UP", "DOWN", "LEFT", "RIGHT")
    # The narrow boxes at the sides take a smaller label, which fits them at any window size.
    size = 0.9 if name in ("LEFT", "RIGHT") and method != "HEADTRACKER" else 1.1
    made = {"name": name, "rect": box, "colour": GAME_BAND if faint else GAME_BOX, "sel_colour": GAME_LIT_BOX,
            "label": name, "style": style(method, CYAN, size), "sel_style": style(method, WHITE, size + 0.1)}
    if method in ("ONEKEY", "ONESWITCH") and name != "PAUSE":
        made["groups"] = [name + "_HELD"]
    return made


def standard_game_switches():
    switches = []
    for keys, slot, pads, bits in STANDARD_GAME_CONTROLS:
        triggers = [{"type": "KEY", "key": key} for key in keys] + [{"type": "EXTERNAL", "key": slot}]
        triggers += [{"type": "EXTERNAL", "joypad": pad} for pad in pads]
        switches.append(switch(["ANYWHERE"], triggers, press=[action("START_MOVE", bits)],
                               release=[action("STOP_MOVE", bits)]))
    for slot, mouse, pad, number in STANDARD_GAME_BUTTONS:
        triggers = [{"type": "EXTERNAL", "key": slot}, {"type": "EXTERNAL", "mouse": mouse},
                    {"type": "EXTERNAL", "joypad": pad}]
        switches.append(switch(["ANYWHERE"], triggers, press=[action("START_ACTION", number)],
                               release=[action("STOP_ACTION", number)]))
    switches.append(switch(["ANYWHERE"], STANDARD_GAME_PAUSE, press=GAME_PAUSE))
    return switches


def scanning_game_switches(method):
    """ONEKEY: after each rest the light steps on; pressing the key starts the lit control, letting
    go ends it. ONESWITCH: a tap steps the light on, holding starts the lit control once the hold
    countdown has filled, letting go ends it. While a control is held its held twin is current, so
    the light stays on it until the key or switch is let go; then it is back on that control, to do
    it again or step on."""
    names = list(SCAN_RECTS)
    first = names[0]
    switches = []
    # A pointer moved over the game can make "ANYWHERE" or a control current while a control is
    # held: letting go there still ends the walk, the punch and the shield.
    let_go = [action("STOP_MOVE", ALL_DIRECTIONS), action("STOP_ACTION", "0"), action("STOP_ACTION", "1")]
    if method == "ONEKEY":
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=[goto(first)], timing_name="game_oneKey"))
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, press=[goto(first)], release=let_go))
        switches.append(switch(names, [{"type": "DWELL"}], press=[goto("[NEXT_AREA]")], timing_name="game_oneKey",
                               colours={"repeat": MOVING_ON}))
    else:
        # The release of the hold that started the game (or resumed it) lights the first control.
        switches.append(switch(["ANYWHERE"], SELECT_KEYS, release=let_go + [goto(first)]))
        switches.append(switch(["ANYWHERE"], [{"type": "DWELL"}], press=[goto(first)], timing_name="game_oneKey"))
    for name, start, stop in game_controls():
        if method == "ONEKEY":
            switches.append(switch([name], SELECT_KEYS, press=start + [goto(name + "_HELD")], release=stop))
        elif name == "PUNCH":
            # The crouch starts with the press and charges through the countdown, so that a held
            # punch waits for nothing; a tap lets go in the crouch, which throws nothing.
            following = names[(names.index(name) + 1) % len(names)]
            switches.append(switch([name], SELECT_KEYS, press=start, release=stop + [goto(following)],
                                   hold=[goto(name + "_HELD")], timing_name="game_oneSwitchRepHold",
                                   colours={"hold": TAKING_IT}))
        else:
            following = names[(names.index(name) + 1) % len(names)]
            switches.append(switch([name], SELECT_KEYS, release=[goto(following)], hold=start + [goto(name + "_HELD")],
                                   timing_name="game_oneSwitchRepHold", colours={"hold": TAKING_IT}))
        switches.append(switch([name + "_HELD"], SELECT_KEYS, release=stop + [goto(AFTER_HELD.get(name, name))]))
    if method == "ONEKEY":
        switches.append(switch(["PAUSE"], SELECT_KEYS, press=GAME_PAUSE))
    else:
        switches.append(switch(["PAUSE"], SELECT_KEYS, release=[goto(first)], hold=GAME_PAUSE,
                               timing_name="game_oneSwitchRepHold", colours={"hold": TAKING_IT}))
    return switches


def head_game_switches():
    """Resting the pointer on a control starts it once its countdown has filled; moving off it ends
    it (and so does the window losing the focus: the game then goes back to "ANYWHERE")."""
    switches = []
    for name, start, stop in game_controls():
        switches.append(switch([name], [{"type": "DWELL"}], press=start, timing_name="game_dwell",
                               colours={"repeat": TAKING_IT}))
        switches.append(switch([name], [{"type": "ENTERLEAVE"}], release=stop))
    switches.append(switch(["PAUSE"], [{"type": "DWELL"}], press=GAME_PAUSE, timing_name="game_dwell",
                           colours={"repeat": TAKING_IT}))
    switches.append(switch(["PAUSE"], CLICK, press=GAME_PAUSE))
    return switches


def game_page(method):
    """The running game: the player's walk, punch, shield and power punch, and the pause."""
    areas = [{"name": "ANYWHERE", "rect": rect(0, 0, 100, 100)}]
    if method == "STANDARD":
        switches = standard_game_switches()
    elif method in ("ONEKEY", "ONESWITCH"):
        areas += [game_area(method, name, box) for name, box in SCAN_RECTS.items()]
        areas += [game_area(method, name, box, held=True) for name, box in SCAN_RECTS.items() if name != "PAUSE"]
        switches = scanning_game_switches(method)
    else:
        areas += [game_area(method, name, box) for name, box in HEAD_RECTS.items()]
        switches = head_game_switches()
    descriptions = {
        "STANDARD": "The running game: walk, punch, shield and power punch on the player's keys, mouse and pad; "
                    "escape pauses.",
        "ONEKEY": "The running game: the controls light in turn; the key held while one is lit does it.",
        "ONESWITCH": "The running game: a tap lights the next control, a hold does the lit one until let go.",
        "HEADTRACKER": "The running game: resting the pointer on a control does it until the pointer moves off.",
    }
    return {"description": descriptions[method], "cool_down": 0, "areas": areas, "switches": switches}


PAGES = [
    ("INTRO", lambda m: picture_page(m, "The intro picture: skipping it goes on to the title.")),
    ("TITLE", title_page),
    ("SETTINGS", settings_page),
    ("HELP", help_pages),
    ("OPTIONS", options_page),
    ("CONTROLS", controls_page),
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
            # Made before the file is opened: a page that cannot be made leaves the old file whole.
            page = make(method)
            with open(path, "w") as out:
                json.dump(page, out, indent=2)
                out.write("\n")
            print("wrote", path)


if __name__ == "__main__":
    main()
