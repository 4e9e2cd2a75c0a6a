#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace E2E {

// A captured window picture, RGB bytes row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    uint32_t brightness(int x, int y) const;  // r + g + b
    // Pixels brighter than the threshold inside [x0, x1) x [y0, y1).
    int litPixels(int x0, int y0, int x1, int y1, uint32_t threshold = 60) const;
    int litPixels(uint32_t threshold = 60) const { return litPixels(0, 0, width, height, threshold); }
    bool savePng(const std::string& path) const;
};

// The game's top-level window on the test display, found by the process id GLFW stores on it.
class X11Window {
public:
    X11Window();
    ~X11Window();
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    bool open() const { return m_display != nullptr; }
    // Waits up to timeoutMs for a mapped window of the process.
    bool waitFor(pid_t pid, int timeoutMs);
    // Waits up to timeoutMs until the game has drawn frames: it shows its frame rate in the
    // title a second after it starts, or at its first frame when loading took longer (as in a
    // sanitizer build), so what happens after this no longer waits for loading.
    bool waitForFrames(int timeoutMs);
    // Waits up to timeoutMs until the window shows a picture with light in a fiftieth of it
    // (the frame rate in the title can come a frame before the picture).
    bool waitForPicture(int timeoutMs);
    // Waits up to timeoutMs until the window's picture passes the test (looking at least once). A
    // sanitizer build draws a full-HD window at a few frames a second: what a test waits for, it
    // waits to see.
    bool waitUntil(const std::function<bool(const Picture&)>& seen, int timeoutMs);
    std::string title();
    Picture capture();
    // Asks the window to close, as a desktop's close button does.
    void requestClose();
    // Resizes the window from outside, as a player dragging its border does.
    void resize(int width, int height);
    // Moves the pointer to a place on the screen (as a player would move the mouse away).
    void movePointerTo(int x, int y);
    // Moves the pointer to a place in the window, in window pixels.
    void movePointerInWindow(int x, int y);
    // Brings the pointer to a place in the window as a hand or a head does: a few small moves a
    // tenth of a second apart, ending there. (The game ignores the pointer for a moment after
    // each action, so a single move can go unseen.)
    void pointAt(int x, int y);
    // Moves the pointer to a place in one move, then points at it until the window's picture
    // passes the test (or timeoutMs), pointing again every few seconds as a player whose choice
    // does not light moves the head again: a
    // game drawing a frame or two a second can take a whole pointing for a pointer that has not
    // moved, which takes nothing. Whether the picture passed.
    bool pointAtUntil(int x, int y, const std::function<bool(const Picture&)>& seen, int timeoutMs);
    // Where the pointer is, in window pixels; false when it is not over the window.
    bool pointerInWindow(int& x, int& y);
    // Presses and releases a key (an X keysym name such as "Return" or "space"), held ~150 ms.
    void tapKey(const std::string& keysym, int holdMs = 150);
    // Holds a key down until the window's picture passes the test (or timeoutMs), then lets it
    // go; whether the picture passed.
    bool holdKeyUntil(const std::string& keysym, const std::function<bool(const Picture&)>& seen, int timeoutMs);
    // Presses and releases a key at once, so that both reach the game between two of its frames.
    void quickTapKey(const std::string& keysym);

private:
    Window findByPid(Window root, pid_t pid);

    Display* m_display = nullptr;
    Window m_window = 0;
};

}  // namespace E2E
