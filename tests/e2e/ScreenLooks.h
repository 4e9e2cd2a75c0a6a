#pragma once
#include <string>
#include <vector>

#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace E2E {

// The window the shipped configuration opens, which the screens' looks are measured in.
constexpr int kLooksWidth = 960, kLooksHeight = 720;

// The share of a box's pixels brighter than the threshold (r + g + b).
double litShare(const Picture& picture, const Box& box, uint32_t threshold = 60);
// The running game's on-screen control that is lit: the one whose box is mostly filled with the
// lit controls' teal; empty when none is, or more than one. (The maze shows through the controls,
// and a white wall that crosses one makes it as bright as the light does.)
std::string litControl(const PickerPage& controls, const Picture& picture);
// Pixels of the box far redder than green: the pink outline of STANDARD's lit choice (the
// others are cyan, their words white).
int pinkPixels(const Picture& picture, const Box& box);
// How the player's green moved inside a box from one picture to the next. Robots and glows shift
// green a few pixels either way; a walk moves the player's by much more.
struct GreenShift {
    long appeared = 0, vanished = 0;
    long appearedX = 0, appearedY = 0, vanishedX = 0, vanishedY = 0;  // sums, for the centres
    int appearedAtX() const { return int(appearedX / (appeared > 0 ? appeared : 1)); }
    int appearedAtY() const { return int(appearedY / (appeared > 0 ? appeared : 1)); }
    int vanishedAtX() const { return int(vanishedX / (vanished > 0 ? vanished : 1)); }
    int vanishedAtY() const { return int(vanishedY / (vanished > 0 ? vanished : 1)); }
    bool moved() const { return appeared > 100 && vanished > 100; }
    bool up() const { return moved() && appearedAtY() + kWalked < vanishedAtY(); }
    bool down() const { return moved() && vanishedAtY() + kWalked < appearedAtY(); }
    static constexpr int kWalked = 20;  // a start room's height lets the player walk little more
};
GreenShift greenShift(const Picture& before, const Picture& after, const Box& box);
// A menu page on black: these of its choices drawn where its file puts them, and the left edge
// of the window, where only the title's picture reaches, dark.
bool menuShown(const Picture& picture, const PickerPage& page, const std::vector<std::string>& choices);

// The looks of the screens around the game for one input method, from its input files: what a
// player sees of the intro, the title, the running game and the pause menu.
class ScreenLooks {
public:
    explicit ScreenLooks(const std::string& method);

    // Every choice drawn where the file puts it, the moving picture beside the menu and the
    // black behind the menu: above its heading and at both sides of its choices.
    bool title(const Picture& picture) const;
    // Every choice drawn where the file puts it, on black.
    bool pause(const Picture& picture) const;
    bool game(const Picture& picture) const { return !title(picture) && !pause(picture); }
    bool intro(const Picture& picture) const { return game(picture) && picture.litPixels() > 500; }

    const PickerPage& titlePage() const { return m_title; }
    const PickerPage& pausePage() const { return m_pause; }
    // Another page of the method, for where its areas lie.
    static PickerPage page(const std::string& method, const std::string& name);

private:
    PickerPage m_title;
    PickerPage m_pause;
};

}  // namespace E2E
