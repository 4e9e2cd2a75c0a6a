#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "engine/events/EventReceiver.h"
#include "engine/util/FlatText.h"
#include "game/input/InputActionHandler.h"

// Receivers of all nine event types that keep what each event said, for comparing with what
// an action should have sent.
namespace EventRecording {

using namespace Zelmo;

// One received event, copied out of its message while the send lasts.
struct Received {
    EventType type = EventType_NONE;
    int action = 0;
    bool flag = false;  // pressed, or increase
    int bits = 0;
    float speed = 0.0f;
    std::string text;

    bool operator==(const Received& other) const {
        return type == other.type && action == other.action && flag == other.flag && bits == other.bits &&
               speed == other.speed && text == other.text;
    }
};

inline void PrintTo(const Received& r, std::ostream* out) {
    *out << "{type " << int(r.type) << " (" << EnumNameEventType(r.type) << "), action " << r.action << ", flag "
         << r.flag << ", bits " << r.bits << ", speed " << r.speed << ", text \"" << r.text << "\"}";
}

inline Received action(int number, bool pressed) { return {EventType_ActionEvent, number, pressed, 0, 0.0f, {}}; }
inline Received move(bool pressed, int bits) { return {EventType_MoveEvent, 0, pressed, bits, 0.0f, {}}; }
inline Received logicReturn(std::string command) { return {EventType_LogicReturnEvent, 0, false, 0, 0.0f, command}; }
inline Received sound(bool increase, std::string bus) { return {EventType_MenuSoundEvent, 0, increase, 0, 0.0f, bus}; }
inline Received page(bool increase, std::string param) {
    return {EventType_MenuPageEvent, 0, increase, 0, 0.0f, param};
}
inline Received introSpeed(float speed) { return {EventType_IntroSpeedEvent, 0, false, 0, speed, {}}; }
inline Received video(bool increase, std::string what) {
    return {EventType_MenuVideoEvent, 0, increase, 0, 0.0f, what};
}
inline Received option(bool increase, std::string param) {
    return {EventType_MenuOptionEvent, 0, increase, 0, 0.0f, param};
}
inline Received gotoPageArea(std::string area) { return {EventType_GotoPageAreaEvent, 0, false, 0, 0.0f, area}; }

class Recorder : public EVT::EventReceiver<ActionEvent>,
                 public EVT::EventReceiver<MoveEvent>,
                 public EVT::EventReceiver<LogicReturnEvent>,
                 public EVT::EventReceiver<MenuSoundEvent>,
                 public EVT::EventReceiver<MenuPageEvent>,
                 public EVT::EventReceiver<IntroSpeedEvent>,
                 public EVT::EventReceiver<MenuVideoEvent>,
                 public EVT::EventReceiver<MenuOptionEvent>,
                 public EVT::EventReceiver<GotoPageAreaEvent> {
public:
    std::vector<Received> events;

    void receive(const ActionEvent& e) override { events.push_back(action(e.action(), e.pressed())); }
    void receive(const MoveEvent& e) override { events.push_back(move(e.pressed(), e.direction())); }
    void receive(const LogicReturnEvent& e) override { events.push_back(logicReturn(Util::toStdString(e.command()))); }
    void receive(const MenuSoundEvent& e) override {
        events.push_back(sound(e.increase(), Util::toStdString(e.parameter())));
    }
    void receive(const MenuPageEvent& e) override {
        events.push_back(page(e.increase(), Util::toStdString(e.parameter())));
    }
    void receive(const IntroSpeedEvent& e) override { events.push_back(introSpeed(e.speed())); }
    void receive(const MenuVideoEvent& e) override {
        events.push_back(video(e.increase(), Util::toStdString(e.what())));
    }
    void receive(const MenuOptionEvent& e) override {
        events.push_back(option(e.increase(), Util::toStdString(e.parameter())));
    }
    void receive(const GotoPageAreaEvent& e) override { events.push_back(gotoPageArea(Util::toStdString(e.area()))); }
};

}  // namespace EventRecording
