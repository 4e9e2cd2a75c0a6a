#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/input/IRenderAreaNameFilter.h"
#include "engine/inputrender/StringConvertor.h"
#include "game/screens/ScreenFrame.h"

namespace Zelmo {

// The HELP state: six pages of explanations. The words are the areas of the "HELP" controller,
// one page's at a time; beside them a few figures of the shape library show what they talk
// about, and the controls they name are shown as the player has bound them. The page shown last
// is shown again on the next visit.
class HelpLogicView : public ScreenFrame,
                      public Game::IStringConvertor,
                      public Input::IRenderAreaNameFilter,
                      public EVT::EventReceiver<MenuPageEvent> {
public:
    static constexpr int kPageCount = 6;
    // A figure beside the words: x and y in fractions of the window, y from the bottom.
    struct PageShape {
        int shape;
        float x;
        float y;
        float scale;
    };
    static const std::array<std::vector<PageShape>, kPageCount>& pageShapes();

    explicit HelpLogicView(AppContext& context);
    ~HelpLogicView() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

    // The controls a text names, as the player has bound them; unchanged while another state runs.
    std::string convert(const std::string& text) override;
    // Areas of the other pages are neither drawn nor reached.
    bool isRendered(const std::string& areaName) const override;
    using ScreenFrame::receive;
    // "HELP..." turns the page.
    void receive(const MenuPageEvent& event) override;

    int page() const { return m_page; }

private:
    void resize(int width, int height) override;
    void drawPicture() override;
    void showPage();

    int m_page = 0;
    // The figures have a display of their own: on the menu's, one would draw over the other.
    std::unique_ptr<VectorDisplay> m_pictureDisplay;
};

}  // namespace Zelmo
