#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/IActionHandler.h"
#include "engine/input/IRenderAreaNameFilter.h"
#include "engine/input/IScreenAreaRenderer.h"
#include "engine/input/InputHandler.h"
#include "engine/input/NamedObject.h"
#include "engine/input/ScreenAreaController.h"
#include "engine/input/SwitchController.h"

namespace flatbuffers {
struct String;
}  // namespace flatbuffers

namespace Input {

// Tables of an input configuration file (data/InputConfig.fbs).
namespace Config {
struct AreaDef;
struct InputConfig;
struct SwitchDef;
struct TimingDef;
struct TriggerDef;
}  // namespace Config

// One complete way of driving one screen: its areas, its switches, the current area and the
// receiver of the actions they fire. Device events and frame time reach it only while it is
// the current controller.
class InputController : public Util::NamedObject {
public:
    // What an input configuration may take from outside itself while it loads: named timing
    // records, named trigger lists and text aliases.
    class IRefs {
    public:
        virtual ~IRefs() = default;
        // Null when there is no record of that name.
        virtual const Config::TimingDef* getRepeat(const std::string& name) = 0;
        // Null when there is no such list or the index is not below its size.
        virtual const Config::TriggerDef* getListItem(const std::string& name, int index) = 0;
        // 0 when there is no such list.
        virtual int getListSize(const std::string& name) = 0;
        // The key itself when there is no alias for it.
        virtual std::string getString(const std::string& key) = 0;
    };

    // The action handler may be null. The references (may be null) need to live only until
    // load returns.
    InputController(const std::string& name, IActionHandler* actionHandler, IRefs* refs);
    ~InputController() override = default;
    InputController(const InputController&) = delete;
    InputController& operator=(const InputController&) = delete;

    // Builds the areas and switches of a parsed configuration. False, with the reason in
    // loadError, when a number is out of range (a cool-down, an area's rectangle outside the
    // window or not a number, a negative time) or a switch cannot be made.
    bool load(const Config::InputConfig& root);
    // Why the last load failed, naming the field: "area 2 PLAY field rect.x: must be a finite
    // number", "switch 0: no triggers"; empty after a load that succeeded.
    const std::string& loadError() const { return m_loadError; }

    // Device events. Presses arriving during the cool-down after an action are dropped;
    // releases always pass, so that nothing stays held.
    void onKey(KeyCode key, uint32_t modifiers, bool pressed);
    // x and y in percent of the window; buttons are the changed button bits. Where the pointer
    // is, is noted even while the cool-down drops the event.
    void onMouse(float x, float y, double wheel, uint32_t buttons, bool pressed);
    void onJoypad(int pad, int x, int y, const std::vector<int>& buttons);
    // Once per frame, before the logic states update.
    void tick(float ms);

    // Hands the collected actions to the action handler and goes to the area the last
    // "GOTO_AREA" among them names.
    void processActions();
    // Makes the named area current; when there is none of that name, "ANYWHERE".
    void gotoArea(const std::string& name);
    // Empty when there is no current area.
    std::string getCurrentAreaName() const;
    // Where the pointer was last reported to this controller, or where it rested when the
    // controller became current; unknown until either.
    const std::optional<InputHandler::PointerAt>& pointerAt() const { return m_pointerAt; }
    // The controller's screen opens under the pointer, which rests where given (when known):
    // lying there, it chooses nothing (InputHandler::restPointer).
    void restPointer(const std::optional<InputHandler::PointerAt>& at);
    void setPage(int32_t page) { m_areas->setPage(page); }
    void setRenderFilter(const IRenderAreaNameFilter* filter) { m_areas->setRenderFilter(filter); }
    void render(IScreenAreaRenderer& renderer) const { m_handler->render(renderer); }

    // "REF:<key>" becomes the alias of the key; other texts are returned as written.
    std::string resolveRef(const flatbuffers::String* text) const;
    // The trigger's named record, its own timing, the switch's named record, the switch's
    // timing: the first present. Null when none is.
    const Config::TimingDef* findTiming(const Config::TriggerDef& trigger, const Config::SwitchDef& owner) const;
    // The switch's trigger list from the references when it names one, else its own.
    int getTriggerCount(const Config::SwitchDef& owner) const;
    const Config::TriggerDef* getTriggerTable(const Config::SwitchDef& owner, int index) const;

    float getCoolDown() const { return m_coolDown; }
    float getCoolDownRemaining() const { return m_coolDownRemaining; }
    InputHandler& getInputHandler() { return *m_handler; }
    const InputHandler& getInputHandler() const { return *m_handler; }
    SwitchController& getSwitchController() { return *m_switches; }
    ScreenAreaController& getScreenAreaController() { return *m_areas; }

private:
    bool isCoolingDown() const { return m_coolDownRemaining != 0; }
    bool loadSwitch(const Config::SwitchDef& table, const std::vector<std::string>& fileAreaNames, size_t index);
    void loadArea(const Config::AreaDef& table, size_t index);

    IActionHandler* m_actionHandler;
    std::unique_ptr<SwitchController> m_switches;
    std::unique_ptr<ScreenAreaController> m_areas;
    std::unique_ptr<InputHandler> m_handler;
    IRefs* m_refs;
    std::string m_loadError;
    float m_coolDown = 0;
    float m_coolDownRemaining = 0;
    // Keys and mouse buttons whose press this controller passed on and whose release is due.
    std::array<bool, 256> m_keysDown{};
    uint32_t m_buttonsDown = 0;
    std::optional<InputHandler::PointerAt> m_pointerAt;
};

}  // namespace Input
