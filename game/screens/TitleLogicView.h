#pragma once
#include <deque>
#include <memory>
#include <string>

#include "engine/inputrender/StringConvertor.h"
#include "game/screens/ScreenFrame.h"
#include "game/screens/TitlePulse.h"
#include "game/screens/TitleSettings.h"

namespace Zelmo {

// The TITLE state: the main menu over the moving title picture, with the title music, and the
// pages it opens (the settings page with the volumes, the window size and full screen). A
// choice that names a state ends the screen; any other names a page, and "BACK" returns to the
// page it was opened from.
class TitleLogicView : public ScreenFrame,
                       public Game::IStringConvertor,
                       public EVT::EventReceiver<MenuVideoEvent>,
                       public EVT::EventReceiver<MenuSoundEvent> {
public:
    explicit TitleLogicView(AppContext& context);
    ~TitleLogicView() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

    // The settings page's placeholders filled; the text unchanged while another state runs.
    std::string convert(const std::string& text) override;
    using ScreenFrame::receive;
    void receive(const MenuVideoEvent& event) override;
    void receive(const MenuSoundEvent& event) override;

    const std::deque<std::string>& pageStack() const { return m_pageStack; }
    const Resolutions& resolutions() const { return m_resolutions; }
    int musicHandle() const { return m_musicHandle; }

private:
    void resize(int width, int height) override;
    void drawPicture() override;
    void openPage(const std::string& page);

    std::deque<std::string> m_pageStack;
    // Whether the pointer chose the choice the title was last left by.
    bool m_pointerTookChoice = false;
    int m_musicHandle = 0;
    TitlePulse m_swing;
    TitlePulse m_sweep;
    Resolutions m_resolutions;
    // The picture has a display of its own: on the menu's, one would draw over the other.
    std::unique_ptr<VectorDisplay> m_pictureDisplay;
};

}  // namespace Zelmo
