#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/input/InputController.h"
#include "tests/e2e/X11Window.h"

namespace E2E {

// A rectangle of window pixels: [x0, x1) across, [y0, y1) down.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
    int centreX() const { return (x0 + x1) / 2; }
    int centreY() const { return (y0 + y1) / 2; }
};

// One page of the method picker laid out in a window of a given size, read from its input file
// as the game reads it: where its choices and its texts are drawn.
class PickerPage {
public:
    // refs: the accessibility references for a page that names their timing records.
    PickerPage(const std::string& file, int windowWidth, int windowHeight,
               Input::InputController::IRefs* refs = nullptr);

    // The pixels an area covers; an empty box when the page has no such area.
    Box box(const std::string& area) const;
    // The choices: areas the pointer can reach that are drawn as boxes, in file order.
    const std::vector<std::string>& choices() const { return m_choices; }
    // The texts drawn without a box of their own (the page's heading and hints).
    const std::vector<std::string>& texts() const { return m_texts; }
    // The choice drawn lit in the picture: the one far brighter than every other; empty when
    // none is.
    std::string litChoice(const Picture& picture) const;
    // Whether the picture shows this page: its boxes where they are and its gaps between them.
    bool isShownIn(const Picture& picture) const;
    // Taps the key that moves the light on and waits to see it move: the picture that shows the
    // light moved (empty when it never did), once the short pause after a step has passed.
    Picture step(X11Window& window) const;
    // Waits for the page to start lighting its choices, then steps until the choice is seen lit:
    // the picture that shows it lit, or none when it never is.
    std::optional<Picture> stepTo(X11Window& window, const std::string& choice) const;

private:
    struct Named {
        std::string name;
        Box box;
    };
    std::vector<Named> m_areas;
    std::vector<std::string> m_choices;
    std::vector<std::string> m_texts;
};

}  // namespace E2E
