#include "game/input/InputActionHandler.h"

#include <unordered_map>
#include <vector>

#include "engine/util/Convert.h"
#include "engine/util/Text.h"

namespace Zelmo {
namespace {

using Builder = flatbuffers::FlatBufferBuilder;
using Text = flatbuffers::Offset<flatbuffers::String>;

// Builds one message and delivers its event table; the message dies with the builder, so
// receivers copy what they keep.
template <typename T, typename BuildTable>
void sendNew(EVT::EventSender<T>& sender, BuildTable buildTable) {
    Builder builder(1024);
    const flatbuffers::Offset<T> table = buildTable(builder);
    builder.Finish(CreateEvent(builder, EventTypeTraits<T>::enum_value, table.Union()));
    sender.send(*static_cast<const T*>(GetEvent(builder.GetBufferPointer())->value()));
}

// The menu events share one shape: a direction of change and a text.
template <typename T>
using MakeMenuTable = flatbuffers::Offset<T> (*)(Builder&, bool, Text);

template <typename T>
void sendMenu(EVT::EventSender<T>& sender, MakeMenuTable<T> make, bool increase, const std::string& text) {
    sendNew(sender, [&](Builder& b) { return make(b, increase, b.CreateString(text)); });
}

template <typename T>
using MakeTextTable = flatbuffers::Offset<T> (*)(Builder&, Text);

template <typename T>
void sendText(EVT::EventSender<T>& sender, MakeTextTable<T> make, const std::string& text) {
    sendNew(sender, [&](Builder& b) { return make(b, b.CreateString(text)); });
}

void sendButton(EVT::EventSender<ActionEvent>& sender, const std::string& param, bool pressed) {
    const int button = Util::toInt(param, 10);
    // Receivers index the player's buttons with it.
    if (button < 0 || button >= kPlayerButtonCount) return;
    sendNew(sender, [&](Builder& b) { return CreateActionEvent(b, button, pressed); });
}

uint8_t directionBits(const std::string& words) {
    static const std::unordered_map<std::string, uint8_t> s_bits = {{"UP", 1}, {"DN", 2}, {"LF", 4}, {"RT", 8}};
    std::vector<std::string> wordList;
    Util::split(words, " ", wordList);
    uint8_t bits = 0;
    for (const auto& word : wordList) {
        const auto it = s_bits.find(word);
        if (it != s_bits.end()) bits |= it->second;
    }
    return bits;
}

void sendMove(EVT::EventSender<MoveEvent>& sender, const std::string& words, bool pressed) {
    const uint8_t bits = directionBits(words);
    if (bits == 0) return;
    sendNew(sender, [&](Builder& b) { return CreateMoveEvent(b, pressed, bits); });
}

using ActionSend = void (*)(InputActionHandler&, const std::string& param);

const std::unordered_map<std::string, ActionSend>& actionSends() {
    using H = InputActionHandler;
    using P = const std::string&;
    static const std::unordered_map<std::string, ActionSend> s_sends = {
        {"LOGIC_RETURN", [](H& h, P p) { sendText<LogicReturnEvent>(h, CreateLogicReturnEvent, p); }},
        {"START_ACTION", [](H& h, P p) { sendButton(h, p, true); }},
        {"STOP_ACTION", [](H& h, P p) { sendButton(h, p, false); }},
        {"START_MOVE", [](H& h, P p) { sendMove(h, p, true); }},
        {"STOP_MOVE", [](H& h, P p) { sendMove(h, p, false); }},
        {"SOUND_INC", [](H& h, P p) { sendMenu<MenuSoundEvent>(h, CreateMenuSoundEvent, true, p); }},
        {"SOUND_DEC", [](H& h, P p) { sendMenu<MenuSoundEvent>(h, CreateMenuSoundEvent, false, p); }},
        {"RES_INC", [](H& h, P) { sendMenu<MenuVideoEvent>(h, CreateMenuVideoEvent, true, "RES"); }},
        {"RES_DEC", [](H& h, P) { sendMenu<MenuVideoEvent>(h, CreateMenuVideoEvent, false, "RES"); }},
        {"TOGGLE_FULL", [](H& h, P) { sendMenu<MenuVideoEvent>(h, CreateMenuVideoEvent, false, "TOGGLE"); }},
        {"PAGE_INC", [](H& h, P p) { sendMenu<MenuPageEvent>(h, CreateMenuPageEvent, true, p); }},
        {"PAGE_DEC", [](H& h, P p) { sendMenu<MenuPageEvent>(h, CreateMenuPageEvent, false, p); }},
        {"INTRO_SPEED",
         [](H& h, P p) {
             const float speed = Util::toFloat(p, 10);
             sendNew<IntroSpeedEvent>(h, [&](Builder& b) { return CreateIntroSpeedEvent(b, speed); });
         }},
        {"OPTION_INC", [](H& h, P p) { sendMenu<MenuOptionEvent>(h, CreateMenuOptionEvent, true, p); }},
        {"OPTION_DEC", [](H& h, P p) { sendMenu<MenuOptionEvent>(h, CreateMenuOptionEvent, false, p); }},
        {"GOTO_PAGE_AREA", [](H& h, P p) { sendText<GotoPageAreaEvent>(h, CreateGotoPageAreaEvent, p); }},
    };
    return s_sends;
}

}  // namespace

void InputActionHandler::handleAction(const Input::ActionId& action) {
    const auto it = actionSends().find(action.getName());
    if (it != actionSends().end()) it->second(*this, action.getParam());
}

}  // namespace Zelmo
