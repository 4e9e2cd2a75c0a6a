#include "tests/e2e/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace E2E {

uint32_t Picture::brightness(int x, int y) const {
    const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
    return uint32_t(rgb[at]) + rgb[at + 1] + rgb[at + 2];
}

int Picture::litPixels(int x0, int y0, int x1, int y1, uint32_t threshold) const {
    int count = 0;
    for (int y = y0; y < y1 && y < height; ++y) {
        for (int x = x0; x < x1 && x < width; ++x) count += brightness(x, y) > threshold ? 1 : 0;
    }
    return count;
}

bool Picture::savePng(const std::string& path) const {
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

namespace {

// Other tests open and close windows on the same display in parallel, so a window can vanish
// between listing and querying it. Xlib's default handler would end the test process for that.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Window::X11Window() : m_display(XOpenDisplay(nullptr)) { XSetErrorHandler(ignoreXErrors); }

X11Window::~X11Window() {
    if (m_display) XCloseDisplay(m_display);
}

Window X11Window::findByPid(Window root, pid_t pid) {
    const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", True);
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, root, &rootReturn, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* value = nullptr;
        if (pidAtom != None &&
            XGetWindowProperty(m_display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &value) == Success &&
            value) {
            if (items == 1 && pid_t(*reinterpret_cast<unsigned long*>(value)) == pid) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable) {
                    found = children[i];
                }
            }
            XFree(value);
        }
        if (!found) found = findByPid(children[i], pid);
    }
    if (children) XFree(children);
    return found;
}

bool X11Window::waitFor(pid_t pid, int timeoutMs) {
    if (!m_display) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        m_window = findByPid(DefaultRootWindow(m_display), pid);
        if (m_window) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool X11Window::waitForFrames(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (title().find(" FPS") != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool X11Window::waitForPicture(int timeoutMs) {
    return waitUntil([](const Picture& p) { return p.width > 0 && p.litPixels() > p.width * p.height / 50; },
                     timeoutMs);
}

bool X11Window::waitUntil(const std::function<bool(const Picture&)>& seen, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (seen(capture())) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string X11Window::title() {
    if (!m_window) return {};
    const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* value = nullptr;
    std::string title;
    if (XGetWindowProperty(m_display, m_window, netName, 0, 1024, False, utf8, &type, &format, &items, &after,
                           &value) == Success &&
        value) {
        title.assign(reinterpret_cast<char*>(value), items);
        XFree(value);
    }
    return title;
}

Picture X11Window::capture() {
    Picture picture;
    if (!m_window) return picture;
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, m_window, &attributes);
    XImage* image = XGetImage(m_display, m_window, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                              AllPlanes, ZPixmap);
    if (!image) return picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.rgb.resize(size_t(picture.width) * size_t(picture.height) * 3);
    // A 24-bit display stores a pixel in 32 bits; reading them in place is much quicker than a
    // call per pixel, which matters for full-HD pictures in a sanitizer build.
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image->data + size_t(y) * size_t(image->bytes_per_line));
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long pixel = direct ? row[x] : XGetPixel(image, x, y);
            uint8_t* out = &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
            out[0] = uint8_t((pixel & image->red_mask) >> 16);
            out[1] = uint8_t((pixel & image->green_mask) >> 8);
            out[2] = uint8_t(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

void X11Window::requestClose() {
    if (!m_window) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = m_window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, m_window, False, NoEventMask, &event);
    XFlush(m_display);
}

void X11Window::resize(int width, int height) {
    if (!m_window) return;
    XResizeWindow(m_display, m_window, unsigned(width), unsigned(height));
    XFlush(m_display);
}

void X11Window::movePointerTo(int x, int y) {
    if (!m_display) return;
    XWarpPointer(m_display, None, DefaultRootWindow(m_display), 0, 0, 0, 0, x, y);
    XFlush(m_display);
}

void X11Window::movePointerInWindow(int x, int y) {
    if (!m_display || !m_window) return;
    XWarpPointer(m_display, None, m_window, 0, 0, 0, 0, x, y);
    XFlush(m_display);
}

void X11Window::pointAt(int x, int y) {
    for (const int offset : {8, -6, 4, -2, 0}) {
        movePointerInWindow(x + offset, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool X11Window::pointAtUntil(int x, int y, const std::function<bool(const Picture&)>& seen, int timeoutMs) {
    constexpr int kPointAgainMs = 4000;  // well past a dwell and the frames that show it
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // First one move, looked at at once: a dwell that lights a choice soon takes it, which a
    // slow build shows for a frame or two.
    movePointerInWindow(x, y);
    if (waitUntil(seen, std::min(kPointAgainMs, timeoutMs))) return true;
    while (std::chrono::steady_clock::now() < deadline) {
        pointAt(x, y);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (waitUntil(seen, std::max(0, std::min(kPointAgainMs, int(left.count()))))) return true;
    }
    return false;
}

bool X11Window::pointerInWindow(int& x, int& y) {
    if (!m_display || !m_window) return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(m_display, m_window, &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, m_window, &attributes);
    return x >= 0 && y >= 0 && x < attributes.width && y < attributes.height;
}

// One xdotool run presses, holds and lets go: on a busy machine a second run to let go can start
// so late that the display repeats the held key, which a menu takes as more presses (or a
// controls page as the new key).
void X11Window::tapKey(const std::string& keysym, int holdMs) {
    const std::string window = std::to_string(m_window);
    const std::string seconds = std::to_string(holdMs / 1000) + "." + std::to_string(1000 + holdMs % 1000).substr(1);
    std::system(("xdotool windowfocus --sync " + window + " keydown " + keysym + " sleep " + seconds + " keyup " +
                 keysym + " 2>/dev/null")
                    .c_str());
}

bool X11Window::holdKeyUntil(const std::string& keysym, const std::function<bool(const Picture&)>& seen,
                             int timeoutMs) {
    const std::string window = std::to_string(m_window);
    std::system(("xdotool windowfocus --sync " + window + " keydown " + keysym + " 2>/dev/null").c_str());
    const bool wasSeen = waitUntil(seen, timeoutMs);
    std::system(("xdotool keyup " + keysym + " 2>/dev/null").c_str());
    return wasSeen;
}

void X11Window::quickTapKey(const std::string& keysym) {
    const std::string window = std::to_string(m_window);
    std::system(("xdotool windowfocus --sync " + window + " key --delay 0 " + keysym + " 2>/dev/null").c_str());
}

}  // namespace E2E
