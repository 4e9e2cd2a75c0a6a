#include "tests/e2e/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace E2E {

uint32_t Picture::brightness(int x, int y) const {
    const size_t l_at = (size_t(y) * size_t(width) + size_t(x)) * 3;
    return uint32_t(rgb[l_at]) + rgb[l_at + 1] + rgb[l_at + 2];
}

int Picture::litPixels(int x0, int y0, int x1, int y1, uint32_t threshold) const {
    int l_count = 0;
    for (int y = y0; y < y1 && y < height; ++y) {
        for (int x = x0; x < x1 && x < width; ++x) l_count += brightness(x, y) > threshold ? 1 : 0;
    }
    return l_count;
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
    const Atom l_pidAtom = XInternAtom(m_display, "_NET_WM_PID", True);
    Window l_rootReturn = 0, l_parent = 0;
    Window* l_children = nullptr;
    unsigned int l_count = 0;
    if (!XQueryTree(m_display, root, &l_rootReturn, &l_parent, &l_children, &l_count)) return 0;
    Window l_found = 0;
    for (unsigned int i = 0; i < l_count && !l_found; ++i) {
        Atom l_type = 0;
        int l_format = 0;
        unsigned long l_items = 0, l_after = 0;
        unsigned char* l_value = nullptr;
        if (l_pidAtom != None &&
            XGetWindowProperty(m_display, l_children[i], l_pidAtom, 0, 1, False, XA_CARDINAL, &l_type, &l_format,
                               &l_items, &l_after, &l_value) == Success &&
            l_value) {
            if (l_items == 1 && pid_t(*reinterpret_cast<unsigned long*>(l_value)) == pid) {
                XWindowAttributes l_attributes;
                if (XGetWindowAttributes(m_display, l_children[i], &l_attributes) &&
                    l_attributes.map_state == IsViewable) {
                    l_found = l_children[i];
                }
            }
            XFree(l_value);
        }
        if (!l_found) l_found = findByPid(l_children[i], pid);
    }
    if (l_children) XFree(l_children);
    return l_found;
}

bool X11Window::waitFor(pid_t pid, int timeoutMs) {
    if (!m_display) return false;
    const auto l_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < l_deadline) {
        m_window = findByPid(DefaultRootWindow(m_display), pid);
        if (m_window) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool X11Window::waitForFrames(int timeoutMs) {
    const auto l_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < l_deadline) {
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
    const auto l_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < l_deadline) {
        if (seen(capture())) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::string X11Window::title() {
    if (!m_window) return {};
    const Atom l_netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom l_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    Atom l_type = 0;
    int l_format = 0;
    unsigned long l_items = 0, l_after = 0;
    unsigned char* l_value = nullptr;
    std::string l_title;
    if (XGetWindowProperty(m_display, m_window, l_netName, 0, 1024, False, l_utf8, &l_type, &l_format, &l_items,
                           &l_after, &l_value) == Success &&
        l_value) {
        l_title.assign(reinterpret_cast<char*>(l_value), l_items);
        XFree(l_value);
    }
    return l_title;
}

Picture X11Window::capture() {
    Picture l_picture;
    if (!m_window) return l_picture;
    XWindowAttributes l_attributes;
    XGetWindowAttributes(m_display, m_window, &l_attributes);
    XImage* l_image =
        XGetImage(m_display, m_window, 0, 0, unsigned(l_attributes.width), unsigned(l_attributes.height), AllPlanes, ZPixmap);
    if (!l_image) return l_picture;
    l_picture.width = l_attributes.width;
    l_picture.height = l_attributes.height;
    l_picture.rgb.resize(size_t(l_picture.width) * size_t(l_picture.height) * 3);
    // A 24-bit display stores a pixel in 32 bits; reading them in place is much quicker than a
    // call per pixel, which matters for full-HD pictures in a sanitizer build.
    const bool l_direct = l_image->bits_per_pixel == 32 && l_image->byte_order == LSBFirst;
    for (int y = 0; y < l_picture.height; ++y) {
        const auto* l_row = reinterpret_cast<const uint32_t*>(l_image->data + size_t(y) * size_t(l_image->bytes_per_line));
        for (int x = 0; x < l_picture.width; ++x) {
            const unsigned long l_pixel = l_direct ? l_row[x] : XGetPixel(l_image, x, y);
            uint8_t* l_out = &l_picture.rgb[(size_t(y) * size_t(l_picture.width) + size_t(x)) * 3];
            l_out[0] = uint8_t((l_pixel & l_image->red_mask) >> 16);
            l_out[1] = uint8_t((l_pixel & l_image->green_mask) >> 8);
            l_out[2] = uint8_t(l_pixel & l_image->blue_mask);
        }
    }
    XDestroyImage(l_image);
    return l_picture;
}

void X11Window::requestClose() {
    if (!m_window) return;
    XEvent l_event{};
    l_event.xclient.type = ClientMessage;
    l_event.xclient.window = m_window;
    l_event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    l_event.xclient.format = 32;
    l_event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    l_event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, m_window, False, NoEventMask, &l_event);
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

bool X11Window::pointerInWindow(int& x, int& y) {
    if (!m_display || !m_window) return false;
    Window l_root = 0, l_child = 0;
    int l_rootX = 0, l_rootY = 0;
    unsigned int l_mask = 0;
    if (!XQueryPointer(m_display, m_window, &l_root, &l_child, &l_rootX, &l_rootY, &x, &y, &l_mask)) return false;
    XWindowAttributes l_attributes;
    XGetWindowAttributes(m_display, m_window, &l_attributes);
    return x >= 0 && y >= 0 && x < l_attributes.width && y < l_attributes.height;
}

void X11Window::tapKey(const std::string& keysym, int holdMs) {
    const std::string l_window = std::to_string(m_window);
    std::system(("xdotool windowfocus --sync " + l_window + " keydown " + keysym + " 2>/dev/null").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    std::system(("xdotool keyup " + keysym + " 2>/dev/null").c_str());
}

bool X11Window::holdKeyUntil(const std::string& keysym, const std::function<bool(const Picture&)>& seen,
                             int timeoutMs) {
    const std::string l_window = std::to_string(m_window);
    std::system(("xdotool windowfocus --sync " + l_window + " keydown " + keysym + " 2>/dev/null").c_str());
    const bool l_seen = waitUntil(seen, timeoutMs);
    std::system(("xdotool keyup " + keysym + " 2>/dev/null").c_str());
    return l_seen;
}

void X11Window::quickTapKey(const std::string& keysym) {
    const std::string l_window = std::to_string(m_window);
    std::system(("xdotool windowfocus --sync " + l_window + " key --delay 0 " + keysym + " 2>/dev/null").c_str());
}

}  // namespace E2E
