#pragma once
#include <string>

#include "engine/input/IRenderAreaNameFilter.h"
#include "engine/inputrender/StringConvertor.h"
#include "game/screens/ScreenFrame.h"

namespace Zelmo {

// The OPTIONS state: four pages of the game options, the areas of the "OPTIONS" controller one
// page's at a time. Each option's value area steps it forwards or backwards through its values;
// the labels show the chosen values, and the choice is kept in the option's setting. The page
// shown last is shown again on the next visit.
class OptionsLogicView : public ScreenFrame,
                         public Game::IStringConvertor,
                         public Input::IRenderAreaNameFilter,
                         public EVT::EventReceiver<MenuPageEvent>,
                         public EVT::EventReceiver<MenuOptionEvent>,
                         public EVT::EventReceiver<GotoPageAreaEvent> {
public:
    static constexpr int kPageCount = 4;

    explicit OptionsLogicView(AppContext& context);
    ~OptionsLogicView() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

    // "[OPT_...]" shows the option's chosen value; unchanged while another state runs.
    std::string convert(const std::string& text) override;
    // Areas of the other pages are neither drawn nor reached.
    bool isRendered(const std::string& areaName) const override;
    using ScreenFrame::receive;
    // "OPT..." turns the page.
    void receive(const MenuPageEvent& event) override;
    // Steps the option of the value area named; an area that names no option is ignored.
    void receive(const MenuOptionEvent& event) override;
    // Goes to the area of that name on the page shown ("NEXT" is "PAGE2_NEXT" on page 2).
    void receive(const GotoPageAreaEvent& event) override;

    int page() const { return m_page; }

private:
    void showPage();

    int m_page = 0;
};

}  // namespace Zelmo
